// Benchmark of the message catalogue: a generated file of 200,000 message lines in random
// number order, loaded and asked 1,000,000 times; the load set against a plain read of the same
// file, which is the floor it cannot go below; the word-for-word walking list on a smaller file
// for comparison; and files crafted against the hashes, set against a random file of the same
// size.
#include "msgcat/MessageCatalog.h"
#include "msgcat/MessageFileReader.h"
#include "tests/msgcat/CancellingNames.h"
#include "tests/support/CollidingNames.h"
#include "tests/support/LiteralMessageList.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The best of several runs of one task, by the wall clock and by the processor time the program
// used (the kernel's share included, where a read spends most of its time). On a machine busy
// with other work the wall clock also counts the time the benchmark waited for a processor,
// which hits the long load much harder than the short read.
struct CBestTimes
{
    double dWall = 1e9;
    double dProcessor = 1e9;

    template <class Task>
    void Measure(Task task)
    {
        const std::clock_t processorStart = std::clock();
        const Clock::time_point wallStart = Clock::now();
        task();
        dWall = std::min(dWall, SecondsSince(wallStart));
        dProcessor = std::min(dProcessor, static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC);
    }
};

// nLines message lines over distinct numbers in random order; returns the file's text and the
// numbers, for lookups.
std::string MakeFile(int nLines, std::mt19937& rng, std::vector<int32_t>& numbers)
{
    numbers.resize(static_cast<std::size_t>(nLines));
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    std::string strText;
    strText.reserve(static_cast<std::size_t>(nLines) * 48);
    for (int i = 0; i < nLines; ++i)
        strText += "MSG_" + std::to_string(i) + " = " + std::to_string(numbers[static_cast<std::size_t>(i)]) + "\r\n";
    strText += "[MESSAGES]\r\n";
    for (int i = 0; i < nLines; ++i)
        strText += "MSG_" + std::to_string(i) + " = text of message " + std::to_string(i) + "\r\n";
    return strText;
}

// What a crafted file can do, against the hashes used before SipHash: names that share one hash
// under the multiply-xorshift name hash with no seed; numbers that all land in one place of a
// number index that multiplies by the golden ratio; or long names that share one hash under that
// name hash whatever its seed (CancellingNames.h). Each is set against a file of random names and
// numbers of the same size.
enum class CFileKind { Random, CollidingNames, CollidingNumbers, RandomLongNames, CancellingNames };

std::string MakeCraftedFile(CFileKind kind, int nLines, std::mt19937_64& rng)
{
    const std::size_t nNames = static_cast<std::size_t>(nLines);
    const std::vector<std::string> names =
        kind == CFileKind::RandomLongNames || kind == CFileKind::CancellingNames
            ? MakeCancellingNames(nNames, kind == CFileKind::CancellingNames, rng)
            : MakeNames(nNames, kind == CFileKind::CollidingNames, rng);
    constexpr uint32_t kGoldenInverse = 0x144CBC89u;  // 0x9E3779B9 * this == 1 (mod 2^32)
    std::string strText;
    for (int i = 0; i < nLines; ++i)
    {
        const uint32_t nNumber = kind == CFileKind::CollidingNumbers ? static_cast<uint32_t>(i) * kGoldenInverse
                                                                     : static_cast<uint32_t>(rng());
        strText += names[static_cast<std::size_t>(i)] + " = " + std::to_string(static_cast<int32_t>(nNumber)) + "\r\n";
    }
    strText += "[MESSAGES]\r\n";
    for (int i = 0; i < nLines; ++i)
        strText += names[static_cast<std::size_t>(i)] + " = text of message " + std::to_string(i) + "\r\n";
    return strText;
}

std::string WriteTemp(const std::string& strText)
{
    const std::string strPath = (std::filesystem::temp_directory_path() / "korvelt-bench.msg").string();
    std::ofstream(strPath, std::ios::binary) << strText;
    return strPath;
}

} // namespace

int main()
{
    std::mt19937 rng(42);
    volatile std::size_t nSink = 0;

    // The library.
    const int kLines = 200000;
    const int kLookups = 1000000;
    std::vector<int32_t> numbers;
    const std::string strPath = WriteTemp(MakeFile(kLines, rng, numbers));

    // Best of a few rounds each; every load goes into a fresh catalogue, as the first
    // SetMessageFile of a program does.
    const int kRounds = 10;
    CBestTimes read;
    CBestTimes load;
    CBestTimes firstWalk;
    std::size_t nFileSize = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        {
            // Gone before the load, which reads into a buffer of its own.
            std::string strContent;
            read.Measure([&] { CMessageCatalog::ReadWholeFile(strPath.c_str(), strContent); });
            nFileSize = strContent.size();
        }
        CMessageCatalog fresh;
        load.Measure([&] { fresh.SetMessageFile(strPath.c_str()); });
        // Lookups never walk the list; the first walk puts the loaded numbers in order.
        firstWalk.Measure([&] {
            for (const CMessageEntry* p = fresh.GetCurrentList()->GetFirst(); p; p = p->m_pNext)
                nSink = nSink + 1;
        });
    }
    std::printf("library: %d lines (%.1f MB): load %.4f s, read %.4f s, load/read %.1f (processor time)\n",
                kLines, nFileSize / 1e6, load.dProcessor, read.dProcessor, load.dProcessor / read.dProcessor);
    std::printf("library: %d lines (%.1f MB): load %.4f s, read %.4f s, load/read %.1f (wall clock)\n",
                kLines, nFileSize / 1e6, load.dWall, read.dWall, load.dWall / read.dWall);
    std::printf("library: first walk of the loaded list (linking its numbers, then %d entries) %.4f s (processor time)\n",
                kLines, firstWalk.dProcessor);
    const double dLoad = load.dWall;

    CMessageCatalog catalog;
    catalog.SetMessageFile(strPath.c_str());
    Clock::time_point start;
    std::vector<int32_t> queries(kLookups);
    for (int32_t& q : queries)
        q = numbers[rng() % numbers.size()];
    start = Clock::now();
    for (int32_t q : queries)
        nSink = nSink + static_cast<unsigned char>(catalog.LoadMessage(q)[0]);
    const double dLookups = SecondsSince(start);
    std::printf("library: %d lines loaded at %.0f lines/s; %d lookups in %.3f s (%.1f million/s)\n",
                kLines, kLines / dLoad, kLookups, dLookups, kLookups / dLookups / 1e6);

    // The walking list, on a file small enough to finish.
    const int kSmallLines = 10000;
    const int kSmallLookups = 20000;
    std::vector<int32_t> smallNumbers;
    const std::string strSmall = MakeFile(kSmallLines, rng, smallNumbers);
    CNameTable names;
    CLiteralMessageList model;
    start = Clock::now();
    CMessageFileReader::Read(strSmall, names, [&model](int32_t n, std::string_view text) {
        model.Insert(n, std::string(text));
    });
    const double dModelLoad = SecondsSince(start);
    start = Clock::now();
    for (int i = 0; i < kSmallLookups; ++i)
        nSink = nSink + static_cast<unsigned char>(model.Find(smallNumbers[rng() % smallNumbers.size()])[0]);
    const double dModelLookups = SecondsSince(start);
    std::printf("walking list: %d lines loaded in %.3f s (%.0f lines/s); %d lookups in %.3f s (%.3f million/s)\n",
                kSmallLines, dModelLoad, kSmallLines / dModelLoad, kSmallLookups, dModelLookups,
                kSmallLookups / dModelLookups / 1e6);

    // The library on the same small file, for a like-for-like ratio.
    const std::string strSmallPath = WriteTemp(strSmall);
    CMessageCatalog small;
    start = Clock::now();
    small.SetMessageFile(strSmallPath.c_str());
    const double dSmallLoad = SecondsSince(start);
    start = Clock::now();
    for (int i = 0; i < kSmallLookups; ++i)
        nSink = nSink + static_cast<unsigned char>(small.LoadMessage(smallNumbers[rng() % smallNumbers.size()])[0]);
    const double dSmallLookups = SecondsSince(start);
    std::printf("ratio on the %d-line file: load %.1fx faster, lookups %.0fx faster\n",
                kSmallLines, dModelLoad / dSmallLoad, dModelLookups / dSmallLookups);

    // Files made to collide in the indexes, each against a random one of the same size, which
    // comes first.
    const int kCraftedLines = 40000;
    std::mt19937_64 craftRng(7);
    double dRandomLoad = 0;
    for (const auto& [kind, pszKind] : {std::pair{CFileKind::Random, "random names"},
                                        std::pair{CFileKind::CollidingNames, "colliding names"},
                                        std::pair{CFileKind::CollidingNumbers, "colliding numbers"},
                                        std::pair{CFileKind::RandomLongNames, "random long names"},
                                        std::pair{CFileKind::CancellingNames, "long names with cancelling words"}})
    {
        const std::string strText = MakeCraftedFile(kind, kCraftedLines, craftRng);
        const std::string strCrafted = WriteTemp(strText);
        CBestTimes crafted;
        for (int round = 0; round < 3; ++round)
        {
            CMessageCatalog fresh;
            crafted.Measure([&] { fresh.SetMessageFile(strCrafted.c_str()); });
        }
        std::filesystem::remove(strCrafted);
        if (kind == CFileKind::Random || kind == CFileKind::RandomLongNames)
        {
            dRandomLoad = crafted.dProcessor;
            std::printf("crafted: %d lines (%.2f MB) of %s: load %.4f s (processor time)\n",
                        kCraftedLines, strText.size() / 1e6, pszKind, crafted.dProcessor);
            continue;
        }
        std::printf("crafted: %d lines (%.2f MB) of %s: load %.4f s, %.1f times the random file's (processor time)\n",
                    kCraftedLines, strText.size() / 1e6, pszKind, crafted.dProcessor, crafted.dProcessor / dRandomLoad);
    }

    std::filesystem::remove(strPath);
    std::filesystem::remove(strSmallPath);
    return 0;
}
