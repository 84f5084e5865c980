// Conversions between DOS dates and times and file times (100 ns units since 1601, UTC),
// computed without the platform, for the host system and for checks of the rules.
#ifndef KORVELT_SYS_DOSTIME_H
#define KORVELT_SYS_DOSTIME_H

#include <cstdint>

// Packs year (1980-2107), month and day into a DOS date; fields are cut to their bit widths.
uint16_t PackDosDate(int nYear, int nMonth, int nDay);

// False for a month outside 1-12, a day outside the month, or a time field out of range.
bool DosToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime);

// True when file time nTime lies before nThan by more than two seconds: FAT keeps times to two
// seconds, so a copy made onto it may read as a little older or newer than its source.
inline bool IsOlderFileTime(uint64_t nTime, uint64_t nThan)
{
    return nThan > 20000000 && nTime < nThan - 20000000;
}

#endif
