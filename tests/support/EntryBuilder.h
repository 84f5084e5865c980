// Builds catalogue entries for tests and benchmarks: the named stored fields are written in the
// entry file's encoding and read back through the entry's own reader; the rest stay empty or 0.
#ifndef KORVELT_TESTS_ENTRYBUILDER_H
#define KORVELT_TESTS_ENTRYBUILDER_H

#include "catalog/AppEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTempDir;

std::string MakeEntryBytes(const std::map<std::string, std::string>& strings,
                           const std::map<std::string, int32_t>& ints);

std::unique_ptr<CAppEntry> MakeEntry(const std::map<std::string, std::string>& strings,
                                     const std::map<std::string, int32_t>& ints);

// One entry by the stored fields it sets.
struct CEntryFields
{
    std::map<std::string, std::string> strings;
    std::map<std::string, int32_t> ints;
};

// Writes a catalogue folder of dir: the index appdb.dat naming entry1.app, entry2.app, ... (or
// the entry's "m_strFileName") and those entry files.
void WriteCatalogFolder(const CTempDir& dir, std::string_view folder, const std::vector<CEntryFields>& entries);

#endif
