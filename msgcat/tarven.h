// The message-catalogue library's two exported functions: name a message file once, then ask
// for texts by number. Texts are code page 932 bytes owned by the library.
#ifndef KORVELT_MSGCAT_TARVEN_H
#define KORVELT_MSGCAT_TARVEN_H

#if defined(_WIN32)
#  define TARVEN_CALL __stdcall
#  if defined(TARVEN_BUILD) || defined(TARVEN_STATIC)
#    define TARVEN_API
#  else
#    define TARVEN_API __declspec(dllimport)
#  endif
#else
#  define TARVEN_CALL
#  define TARVEN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Replaces the current messages with those of the named file (relative names are taken from
// the current directory). When the file cannot be opened no message is found afterwards.
TARVEN_API void TARVEN_CALL SetMessageFile(const char* pszFileName);

// Text of the message with the given number: never null, "" when there is none. Valid until
// the next SetMessageFile call.
TARVEN_API const char* TARVEN_CALL LoadMessage(int nNumber);

#ifdef __cplusplus
}
#endif

#endif
