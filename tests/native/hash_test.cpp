// MD5, SHA-1 and CRC-32 against the published vectors, streamed in odd
// pieces, and every kernel this processor runs against the portable one.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hash/crc32.h"
#include "hash/hash_kernels.h"
#include "hash/hex_text.h"
#include "hash/md5.h"
#include "hash/sha1.h"
#include "hash/word_sum.h"

namespace kv {
namespace {

std::string Md5Hex(const std::string& text) {
    Md5 md5;
    md5.Update(text.data(), text.size());
    const auto digest = md5.Finish();
    return HexUpper(digest.data(), digest.size());
}

std::string Sha1Hex(const std::string& text) {
    Sha1 sha1;
    sha1.Update(text.data(), text.size());
    return Sha1Text(sha1.Finish());
}

// Runs the body once for every kernel this processor runs, then restores
// the best ones.
template <typename Body>
void ForEachKernel(Body body) {
    for (auto sha : {Sha1Kernel::kScalar, Sha1Kernel::kShaNi}) {
        for (auto crc : {Crc32Kernel::kBytewise, Crc32Kernel::kSlicing8, Crc32Kernel::kPclmul}) {
            if (!ForceSha1Kernel(sha) || !ForceCrc32Kernel(crc)) continue;
            SCOPED_TRACE(std::string(Sha1KernelName()) + " / " + Crc32KernelName());
            body();
        }
    }
    SelectBestHashKernels();
}

std::string RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return bytes;
}

TEST(Md5, Rfc1321Suite) {
    EXPECT_EQ(Md5Hex(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(Md5Hex("a"), "0CC175B9C0F1B6A831C399E269772661");
    EXPECT_EQ(Md5Hex("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(Md5Hex("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "C3FCD3D76192E4007DFB496CCA67E13B");
    EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "D174AB98D277D9F5A5611C2C9F419D9F");
    std::string eighty;
    for (int i = 0; i < 8; ++i) eighty += "1234567890";
    EXPECT_EQ(Md5Hex(eighty), "57EDF4A22BE3C955AC49DA2E2107B67A");
}

TEST(Sha1, Fips180Examples) {
    ForEachKernel([] {
        EXPECT_EQ(Sha1Hex("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
        EXPECT_EQ(Sha1Hex(""), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
        EXPECT_EQ(Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
                  "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
        Sha1 million;
        const std::string chunk(1000, 'a');
        for (int i = 0; i < 1000; ++i) million.Update(chunk.data(), chunk.size());
        EXPECT_EQ(Sha1Text(million.Finish()), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
    });
}

TEST(Crc32, CheckValues) {
    ForEachKernel([] {
        EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
        EXPECT_EQ(Crc32("abc", 3), 0x352441C2u);
        EXPECT_EQ(Crc32("", 0), 0u);
        const std::string zeros(4096, '\0');
        EXPECT_EQ(Crc32(zeros.data(), zeros.size()), 0xC71C0011u);
    });
    EXPECT_EQ(Crc32Table()[1], 0x77073096u);
    EXPECT_EQ(Crc32Table()[255], 0x2D02EF8Du);
}

// Any split of the input, at any alignment and length, gives the one-shot
// result of the portable kernels.
TEST(HashKernels, StreamingAndEveryKernelAgree) {
    const std::string data = RandomBytes(70000, 7);
    std::vector<size_t> lengths;
    for (size_t n = 0; n <= 300; ++n) lengths.push_back(n);
    for (size_t n : {511u, 512u, 513u, 1000u, 4095u, 65536u, 69990u}) lengths.push_back(n);

    ForceSha1Kernel(Sha1Kernel::kScalar);
    ForceCrc32Kernel(Crc32Kernel::kBytewise);
    std::vector<std::string> sha(lengths.size());
    std::vector<uint32_t> crc(lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        sha[i] = Sha1Hex(data.substr(3, lengths[i]));
        crc[i] = Crc32(data.data() + 3, lengths[i]);
    }
    ForEachKernel([&] {
        for (size_t i = 0; i < lengths.size(); ++i) {
            for (size_t start : {0u, 1u, 3u, 8u}) {
                const std::string piece = data.substr(start, lengths[i]);
                const std::string reference = data.substr(3, lengths[i]);
                if (start == 3) {
                    EXPECT_EQ(Sha1Hex(piece), sha[i]) << lengths[i];
                    EXPECT_EQ(Crc32(data.data() + start, lengths[i]), crc[i]) << lengths[i];
                } else if (lengths[i] % 97 == 0) {
                    EXPECT_EQ(Crc32(data.data() + start, lengths[i]),
                              Crc32(piece.data(), piece.size()));
                }
            }
        }
        // Streamed in uneven pieces.
        Sha1 sha1;
        Md5 md5;
        uint32_t running = 0;
        size_t at = 0, step = 1;
        while (at < data.size()) {
            const size_t n = std::min(step, data.size() - at);
            sha1.Update(data.data() + at, n);
            md5.Update(data.data() + at, n);
            running = Crc32Update(running, data.data() + at, n);
            at += n;
            step = step * 3 % 1031 + 1;
        }
        EXPECT_EQ(Sha1Text(sha1.Finish()), Sha1Hex(data));
        const auto digest = md5.Finish();
        EXPECT_EQ(HexUpper(digest.data(), 16), Md5Hex(data));
        EXPECT_EQ(running, Crc32(data.data(), data.size()));
    });
}

TEST(HashKernels, ContextsRestartAfterFinish) {
    Md5 md5;
    md5.Update("junk", 4);
    (void)md5.Finish();
    md5.Update("abc", 3);
    const auto digest = md5.Finish();
    EXPECT_EQ(HexUpper(digest.data(), 16), "900150983CD24FB0D6963F7D28E17F72");
    Sha1 sha1;
    sha1.Update("junk", 4);
    (void)sha1.Finish();
    sha1.Update("abc", 3);
    EXPECT_EQ(Sha1Text(sha1.Finish()), "A9993E364706816ABA3E25717850C26C9CD0D89D");
}

TEST(HashText, HexAndWordSums) {
    const uint8_t bytes[] = {0x00, 0x9F, 0xA0, 0xFF};
    EXPECT_EQ(HexUpper(bytes, 4), "009FA0FF");
    EXPECT_EQ(HexUpper32(0x352441C2u), "352441C2");
    EXPECT_EQ(HexUpper32(0), "00000000");
    const uint8_t words[] = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 1, 0, 0};
    EXPECT_EQ(WordSum(words, 3), 0x102u);  // wraps modulo 2^32
    EXPECT_EQ(WordSum(words, 0), 0u);
}

}  // namespace
}  // namespace kv
