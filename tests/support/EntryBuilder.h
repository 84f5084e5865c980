// Builds catalogue entries for tests and benchmarks: the named stored fields are written in the
// entry file's encoding and read back through the entry's own reader; the rest stay empty or 0.
#ifndef KORVELT_TESTS_ENTRYBUILDER_H
#define KORVELT_TESTS_ENTRYBUILDER_H

#include "AppEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

std::string MakeEntryBytes(const std::map<std::string, std::string>& strings,
                           const std::map<std::string, int32_t>& ints);

std::unique_ptr<CAppEntry> MakeEntry(const std::map<std::string, std::string>& strings,
                                     const std::map<std::string, int32_t>& ints);

#endif
