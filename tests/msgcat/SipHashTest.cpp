// SipHash against results computed elsewhere: SipHash-2-4 against the reference vectors that came
// with the algorithm (key 00 01 .. 0f, messages 00 01 .. of every length), SipHash-1-3, which the
// indexes use, against CPython's own implementation (its hash of bytes under PYTHONHASHSEED=0,
// whose key is all zeros). The lengths go around the eight-byte blocks, where a tail or a length
// byte goes wrong first.
#include "msgcat/SipHash.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// The reference key: bytes 00 .. 0f, each half read lowest byte first.
constexpr CHashKey kReferenceKey{0x0706050403020100u, 0x0F0E0D0C0B0A0908u};
constexpr CHashKey kZeroKey{0, 0};

std::string CountingBytes(std::size_t nLength)
{
    std::string strBytes;
    for (std::size_t i = 0; i < nLength; ++i)
        strBytes += static_cast<char>(i);
    return strBytes;
}

using BytesHash = uint64_t (*)(const CHashKey&, std::string_view);
const BytesHash kSipHash24 = &CSipHash24::Hash;
const BytesHash kSipHash13 = &CSipHash13::Hash;

} // namespace

TEST(SipHash, MatchesResultsComputedElsewhere)
{
    const struct
    {
        const char* pszWhat;
        BytesHash hash;
        CHashKey key;
        std::string strMessage;
        uint64_t nExpected;
    } cases[] = {
        {"2-4, 0 bytes", kSipHash24, kReferenceKey, CountingBytes(0), 0x726FDB47DD0E0E31u},
        {"2-4, 1 byte", kSipHash24, kReferenceKey, CountingBytes(1), 0x74F839C593DC67FDu},
        {"2-4, 4 bytes", kSipHash24, kReferenceKey, CountingBytes(4), 0xCF2794E0277187B7u},
        {"2-4, 7 bytes", kSipHash24, kReferenceKey, CountingBytes(7), 0xAB0200F58B01D137u},
        {"2-4, 8 bytes", kSipHash24, kReferenceKey, CountingBytes(8), 0x93F5F5799A932462u},
        {"2-4, 9 bytes", kSipHash24, kReferenceKey, CountingBytes(9), 0x9E0082DF0BA9E4B0u},
        {"2-4, 15 bytes", kSipHash24, kReferenceKey, CountingBytes(15), 0xA129CA6149BE45E5u},
        {"2-4, 16 bytes", kSipHash24, kReferenceKey, CountingBytes(16), 0x3F2ACC7F57C29BDBu},
        {"2-4, 17 bytes", kSipHash24, kReferenceKey, CountingBytes(17), 0x699AE9F52CBE4794u},
        {"2-4, 63 bytes", kSipHash24, kReferenceKey, CountingBytes(63), 0x958A324CEB064572u},
        {"1-3, 1 byte", kSipHash13, kZeroKey, "a", 0x407448D2B89B1813u},
        {"1-3, 8 bytes", kSipHash13, kZeroKey, "abcdefgh", 0x3F7B849C0B8E35EAu},
        {"1-3, 15 bytes", kSipHash13, kZeroKey, "0123456789abcde", 0x26F4D862282D8FCBu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hash(c.key, c.strMessage), c.nExpected) << c.pszWhat;
}

// The slot index hashes numbers in one block of their own; it must be the hash of their bytes,
// or the vectors above would not vouch for it.
TEST(SipHash, NumberIsHashedAsItsFourBytesLowestFirst)
{
    EXPECT_EQ(CSipHash24::Hash(kReferenceKey, uint32_t{0x03020100u}), 0xCF2794E0277187B7u);
    const CHashKey keys[] = {kZeroKey, kReferenceKey, {0xFFFFFFFFFFFFFFFFu, 0x8000000000000001u}};
    for (const CHashKey& key : keys)
    {
        for (uint32_t n : {0u, 1u, 0x80u, 0xFFu, 0x100u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x12345678u})
        {
            const char bytes[4] = {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                                   static_cast<char>(n >> 24)};
            EXPECT_EQ(CSipHash13::Hash(key, n), CSipHash13::Hash(key, std::string_view(bytes, 4))) << std::hex << n;
            EXPECT_EQ(CSipHash24::Hash(key, n), CSipHash24::Hash(key, std::string_view(bytes, 4))) << std::hex << n;
        }
    }
}
