// The library-wide state behind SetMessageFile and LoadMessage: the name table, which outlives
// every file, and the current message list.
#ifndef KORVELT_MSGCAT_MESSAGECATALOG_H
#define KORVELT_MSGCAT_MESSAGECATALOG_H

#include "msgcat/MessageFileReader.h"
#include "msgcat/MessageList.h"

#include <memory>

class CMessageCatalog
{
public:
    // Makes a new, empty list current at once (the old messages are gone even when the file
    // cannot be read), then fills it from the file. Throws when memory runs out (a file too
    // large to hold); the catalogue is then left without messages.
    void SetMessageFile(const char* pszFileName);
    // No messages at all, as after a file that could not be read.
    void Forget() noexcept { m_pList.reset(); }

    // Never null; "" when there is no such message or no list.
    const char* LoadMessage(int32_t nNumber) const;

    const CMessageList* GetCurrentList() const { return m_pList.get(); }
    const CNameTable& GetNames() const { return m_names; }

    // The whole file in binary, opened without sharing. False when it cannot be opened.
    static bool ReadWholeFile(const char* pszFileName, std::string& strContent);

private:
    CNameTable m_names;
    std::unique_ptr<CMessageList> m_pList;
};

#endif
