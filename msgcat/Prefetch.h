// A hint to the processor that memory is about to be read. Loading a large message file is
// mostly waiting for cache misses in its indexes; asking for them a few lines ahead lets them
// overlap. Without the compiler's builtin it does nothing, and everything stays correct.
#ifndef KORVELT_MSGCAT_PREFETCH_H
#define KORVELT_MSGCAT_PREFETCH_H

inline void Prefetch(const void* p)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
    // GCC counts a function that does nothing but prefetch as one without effects, and drops
    // every call of it that it has not inlined by then: a prefetch behind a SipHash, too large
    // to be inlined early, would vanish. An empty volatile asm statement is an effect it keeps,
    // and it costs no instruction.
    __asm__ __volatile__("" : : "r"(p));
#else
    (void)p;
#endif
}

#endif
