// Long message names that all had one hash under the multiply-xorshift name hash, whatever its
// seed, for the tests and the benchmark. That hash took in a name's eight-byte words as
// h = (h ^ word) * odd; h ^= h >> 29. Flipping bit 63 of a word flips bit 63 of the product,
// whatever h was, and the shift passes that on to bit 34: the state then differs in bits 63
// and 34, which the next word, flipped in those same bits, cancels. Each bit of a name's number
// chooses whether pair p (words p and p + 1) is flipped; where two flipped pairs meet, their
// flips of the shared word combine, and the cancellation still holds, as every difference is
// taken by XOR. A keyed SipHash spreads them as any others.
#ifndef KORVELT_TESTS_CANCELLINGNAMES_H
#define KORVELT_TESTS_CANCELLINGNAMES_H

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

constexpr int kCancellingPairs = 16;                   // up to 2^16 names
constexpr int kCancellingWords = kCancellingPairs + 1;  // neighbouring pairs share a word

// Names of kCancellingWords words of letters; bit 7 of the last byte of a word turns a letter
// into a byte from 0xC1 up, bit 2 of the fifth keeps it a byte below 0x60, so every byte can
// stand in a name. bCancelling false gives each name words of its own and random flips: names
// of the same length and bytes. At most 2^kCancellingPairs names with bCancelling.
inline std::vector<std::string> MakeCancellingNames(std::size_t nNames, bool bCancelling, std::mt19937_64& rng)
{
    const auto randomWord = [&rng] {
        uint64_t word = 0;
        for (int i = 0; i < 8; ++i)
            word = word << 8 | static_cast<unsigned char>('A' + rng() % 26);
        return word;
    };
    constexpr uint64_t kFlip = uint64_t{1} << 63;
    constexpr uint64_t kCancel = kFlip | uint64_t{1} << 34;
    uint64_t shared[kCancellingWords];
    for (uint64_t& word : shared)
        word = randomWord();
    std::vector<std::string> names;
    names.reserve(nNames);
    for (std::size_t n = 0; n < nNames; ++n)
    {
        uint64_t words[kCancellingWords];
        for (int w = 0; w < kCancellingWords; ++w)
            words[w] = bCancelling ? shared[w] : randomWord();
        const uint64_t nFlips = bCancelling ? n : rng();
        for (int p = 0; p < kCancellingPairs; ++p)
        {
            if (nFlips >> p & 1)
            {
                words[p] ^= kFlip;
                words[p + 1] ^= kCancel;
            }
        }
        std::string strName;
        for (uint64_t word : words)
        {
            for (int i = 0; i < 8; ++i, word >>= 8)
                strName += static_cast<char>(word & 0xFF);
        }
        names.push_back(std::move(strName));
    }
    return names;
}

#endif
