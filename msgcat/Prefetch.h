// A hint to the processor that memory is about to be read. Loading a large message file is
// mostly waiting for cache misses in its indexes; asking for them a few lines ahead lets them
// overlap. Without the compiler's builtin it does nothing, and everything stays correct.
#ifndef KORVELT_MSGCAT_PREFETCH_H
#define KORVELT_MSGCAT_PREFETCH_H

inline void Prefetch(const void* p)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

#endif
