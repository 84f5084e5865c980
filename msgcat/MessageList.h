// The messages of one file in ascending order of number (compared unsigned), duplicates kept.
// Owns its entries. Besides the linked list it keeps, for every number, the first and last entry
// of its run, found through a hash index: that is all insertion needs to place a message among
// the others of its number, and all lookup needs. Only the links between runs need the order of
// the numbers, and only someone walking the list needs those links: the runs of new numbers are
// sorted into the walk all together, when the walk is next asked for (GetFirst, GetLast) or an
// Insert comes. As entries are only reached through those, nobody meets an entry not linked yet;
// but the first walk after a load is what pays for the sorting, and it must not race a lookup.
#ifndef KORVELT_MSGCAT_MESSAGELIST_H
#define KORVELT_MSGCAT_MESSAGELIST_H

#include "msgcat/MessageEntry.h"
#include "msgcat/SlotIndex.h"
#include "msgcat/TextStore.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class CMessageList
{
public:
    explicit CMessageList(std::string strFileName);
    CMessageList(const CMessageList&) = delete;
    CMessageList& operator=(const CMessageList&) = delete;

    // Inserts a message where a walk from the last-inserted entry would put it: coming from
    // above it lands behind entries of the same number, coming from below in front of them,
    // and coming from an entry of the same number right after that entry.
    void Insert(int32_t nNumber, std::string_view text);

    // Fills the list from a whole file: Add each message in file order, then Finish. The list is
    // then the same as after Insert for each in turn, but the numbers new to it join the walk
    // all at once when it is next needed, and the index is asked for each message's number a
    // few messages before it is placed. Until Finish the list must not be used otherwise.
    class CLoader
    {
    public:
        // The file's bytes become the list's, and a text that lies in them stays there instead
        // of being copied: it is ended by a NUL over the byte after it, which for a message
        // line read from GetFileText is a blank, the line's end or the end of the file, and which
        // the reading has left behind by the time the text is added. Other texts are copied.
        CLoader(CMessageList& list, std::string strFileText);
        std::string_view GetFileText() const { return m_fileText; }

        // At most this many numbers new to the list will come: the index is made large enough
        // at once instead of growing step by step.
        void Expect(std::size_t nNewNumbers);
        void Add(int32_t nNumber, std::string_view text);
        void Finish();

    private:
        static constexpr std::size_t kAhead = 32;
        struct CWaiting
        {
            int32_t m_nNumber;
            uint64_t m_nPlace;  // of the number in the index, worked out once when announced
            std::string_view m_text;
        };
        CMessageList& m_list;
        std::string_view m_fileText;
        CWaiting m_waiting[kAhead];
        std::size_t m_nOldest = 0;
        std::size_t m_nWaiting = 0;
    };

    // Text of the first entry with this number, or null when there is none.
    const char* Find(int32_t nNumber) const;

    const std::string& GetFileName() const { return m_strFileName; }
    std::size_t GetCount() const { return m_nCount; }
    const CMessageEntry* GetFirst() const;
    const CMessageEntry* GetLast() const;

private:
    struct CRun
    {
        CMessageEntry* m_pFirst;
        CMessageEntry* m_pLast;
    };

    CMessageEntry* NewEntry(int32_t nNumber, std::string_view text);
    std::string_view KeepText(std::string_view text);
    // Places the message among those of its number; a run of a new number waits for Link.
    // nPlace: the number's CSlotIndex::Place in the run index.
    void Append(int32_t nNumber, uint64_t nPlace, std::string_view text);
    // Puts the runs of new numbers into the walk. Const, for GetFirst and GetLast: it changes
    // nothing a caller can see but how fast the walk starts.
    void Link() const;
    static void LinkBefore(CMessageEntry* pNew, CMessageEntry* pNext);
    static void LinkAfter(CMessageEntry* pNew, CMessageEntry* pPrev);

    std::string m_strFileName;
    std::size_t m_nCount = 0;
    CMessageEntry* m_pLastInserted = nullptr;

    CTextStore m_texts;
    std::deque<std::string> m_fileTexts;  // from loaders; never moved, as entries point into them
    char* m_pLoading = nullptr;           // the bytes of the file being loaded
    std::size_t m_nLoadingSize = 0;
    // Blocks that are filled but never grown, so entries never move.
    std::vector<std::vector<CMessageEntry>> m_blocks;
    std::deque<CRun> m_runs;    // in order of the numbers' first appearance; never copied to grow
    CSlotIndex m_runIndex;      // tag: the number itself, so no key comparison is needed
    // (number << 32 | run), ascending, for the runs before m_nLinkedRuns; the list's links
    // between runs follow it. Link makes up the rest.
    mutable std::vector<uint64_t> m_order;
    mutable std::size_t m_nLinkedRuns = 0;
};

#endif
