#include "msgcat/MessageFileReader.h"

#include "utils/AsciiText.h"

int32_t CMessageFileReader::ParseNumber(std::string_view value)
{
    std::size_t i = 0;
    bool bNegative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        bNegative = value[i++] == '-';
    uint32_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        n = n * 10u + static_cast<uint32_t>(value[i] - '0');
    if (bNegative)
        n = 0u - n;
    return static_cast<int32_t>(n);
}

void CMessageFileReader::Read(std::string_view content, CNameTable& names, const MessageSink& onMessage)
{
    // Text mode: a Ctrl-Z ends the file wherever it stands.
    const std::size_t eof = content.find('\x1A');
    if (eof != std::string_view::npos)
        content = content.substr(0, eof);

    // Lines are taken apart a few ahead of their turn, and the name table is told their names
    // then: in a file of many names each lookup is a cache miss, and this way several are on
    // their way at once. Definitions and messages are still applied strictly in file order.
    struct CLine
    {
        std::string_view name;
        std::string_view value;
        uint32_t nHash;
        bool bMessage;
    };
    constexpr std::size_t kAhead = 16;
    CLine ahead[kAhead];
    std::size_t nOldest = 0;
    std::size_t nWaiting = 0;

    // Messages usually follow the order of the definitions; while they do, the index is not
    // needed and not asked ahead either.
    CNameTable::CCursor cursor;

    const auto apply = [&names, &onMessage, &cursor](const CLine& line) {
        if (!line.bMessage)
        {
            names.Get(line.name, line.nHash) = ParseNumber(line.value);
            return;
        }
        // A message whose name was never defined has no number to file it under; it is left
        // out and the reading goes on.
        if (const int32_t* pNumber = names.FindNext(line.name, line.nHash, cursor))
            onMessage(*pNumber, line.value);
    };

    bool bInMessages = false;
    std::size_t pos = 0;
    for (std::string_view line; NextTrimmedLine(content, pos, line);)
    {
        if (line.empty() || line.front() == ';')
            continue;
        if (!bInMessages && EqualsNoCaseAscii(line, "[MESSAGES]"))
        {
            bInMessages = true;
            continue;
        }

        if (nWaiting == kAhead)
        {
            // Out of order, a message's name costs the index's slot, the name's entry and its
            // bytes, one after another; each is fetched while a few lines go by.
            if (!cursor.m_bInOrder)
            {
                for (int nStep = 1; nStep <= 2; ++nStep)
                {
                    const CLine& later = ahead[(nOldest + kAhead / 2 / nStep) % kAhead];
                    if (later.bMessage)
                        names.Prefetch(later.nHash, nStep);
                }
            }
            apply(ahead[nOldest]);
            nOldest = (nOldest + 1) % kAhead;
            --nWaiting;
        }

        // Taken apart where it waits: a copy of the whole record would read back bytes just
        // written in smaller pieces, which stalls.
        CLine& next = ahead[(nOldest + nWaiting++) % kAhead];
        next.name = std::string_view();
        next.value = line;
        next.bMessage = bInMessages;
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
        {
            next.name = TrimRight(line.substr(0, eq));
            next.value = TrimLeft(line.substr(eq + 1));
        }
        next.nHash = names.Hash(next.name);
        if (!bInMessages || !cursor.m_bInOrder)
            names.Prefetch(next.nHash);
    }
    for (; nWaiting > 0; --nWaiting, nOldest = (nOldest + 1) % kAhead)
        apply(ahead[nOldest]);
}
