// GoogleTest hands every failure and skip to OutputDebugStringA as well as to the console. Wine
// delivers that text by raising the debug-print exception (0x40010006) and unwinding it, and under
// qemu that unwinding kills a 32-bit test program (exit 29, "c000001d"). The test programs take
// this import slot instead of kernel32's: the linker then never pulls kernel32's import object
// for the function in. The stand-in writes nothing and returns, since GoogleTest has already
// printed the same text to the console, which is where these programs are read; forwarding it to
// the real function would bring the exception back.

extern "C" {

static void __stdcall IgnoreDebugString(const char*)
{
}

// 64-bit Windows decorates no names: the slot is the plain name's.
#if defined(_WIN64)
void* korveltOutputDebugStringA __asm__("__imp_OutputDebugStringA") =
#else
void* korveltOutputDebugStringA __asm__("__imp__OutputDebugStringA@4") =
#endif
    reinterpret_cast<void*>(&IgnoreDebugString);
}
