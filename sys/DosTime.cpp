#include "sys/DosTime.h"

namespace {

bool IsLeap(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeap(nYear) ? 29 : kDays[nMonth - 1];
}

} // namespace

uint16_t PackDosDate(int nYear, int nMonth, int nDay)
{
    return static_cast<uint16_t>((((nYear - 1980) & 0x7F) << 9) | ((nMonth & 0x0F) << 5) | (nDay & 0x1F));
}

bool DosToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime)
{
    const int nYear = 1980 + (nDate >> 9);
    const int nMonth = (nDate >> 5) & 0x0F;
    const int nDay = nDate & 0x1F;
    const int nHour = nTime >> 11;
    const int nMinute = (nTime >> 5) & 0x3F;
    const int nSecond = (nTime & 0x1F) * 2;
    if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > DaysInMonth(nYear, nMonth))
        return false;
    if (nHour > 23 || nMinute > 59 || nSecond > 59)
        return false;

    uint64_t nDays = 0;
    for (int y = 1601; y < nYear; ++y)
        nDays += IsLeap(y) ? 366 : 365;
    for (int m = 1; m < nMonth; ++m)
        nDays += static_cast<uint64_t>(DaysInMonth(nYear, m));
    nDays += static_cast<uint64_t>(nDay - 1);
    const uint64_t nSeconds = nDays * 86400u + static_cast<uint64_t>(nHour * 3600 + nMinute * 60 + nSecond);
    nFileTime = nSeconds * 10000000u;
    return true;
}
