// A file time (100 ns units since 1601) as "YYYY/MM/DD HH:MM:SS", for logs and explanations.
#ifndef KORVELT_UTILS_FILETIMETEXT_H
#define KORVELT_UTILS_FILETIMETEXT_H

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FileTimeText(uint64_t nFileTime)
{
    constexpr uint64_t kPerSecond = 10000000;
    constexpr int64_t kDays1601To1970 = 134774;
    const uint64_t nSeconds = nFileTime / kPerSecond;
    // Days since 1970 to a civil date (H. Hinnant's algorithm).
    const int64_t z = static_cast<int64_t>(nSeconds / 86400) - kDays1601To1970 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t nDay = doy - (153 * mp + 2) / 5 + 1;
    const int64_t nMonth = mp < 10 ? mp + 3 : mp - 9;
    const int64_t nYear = yoe + era * 400 + (nMonth <= 2 ? 1 : 0);
    const uint64_t nInDay = nSeconds % 86400;
    char text[96];
    std::snprintf(text, sizeof text, "%04lld/%02lld/%02lld %02llu:%02llu:%02llu", static_cast<long long>(nYear),
                  static_cast<long long>(nMonth), static_cast<long long>(nDay),
                  static_cast<unsigned long long>(nInDay / 3600), static_cast<unsigned long long>(nInDay / 60 % 60),
                  static_cast<unsigned long long>(nInDay % 60));
    return text;
}

#endif
