// Test helpers that spell out archive bytes by hand, independently of the catalogue's own writer,
// and a reporter that records the message numbers it receives.
#ifndef KORVELT_TESTS_CATALOG_CATALOGBYTES_H
#define KORVELT_TESTS_CATALOG_CATALOGBYTES_H

#include "catalog/AppReporter.h"

#include <cstdint>
#include <string>
#include <vector>

// Four bytes, least significant first.
std::string Le32(uint32_t nValue);
// The shortest length prefix followed by the text, built byte by byte.
std::string Str(const std::string& strText);
// An index: the count, then each name.
std::string IndexBytes(uint32_t nCount, const std::vector<std::string>& names);
// An entry file whose fields are all empty or 0 except the title (field 1).
std::string EntryBytes(const std::string& strTitle);

class CRecordingReporter : public IAppReporter
{
public:
    void ReportMessage(int nMessage) override { m_messages.push_back(nMessage); }
    std::vector<int> m_messages;
};

#endif
