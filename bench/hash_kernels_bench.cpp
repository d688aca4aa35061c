// In-memory throughput of every hash kernel this processor runs, and the
// cost of hashing a short text into its hexadecimal form.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "hash/crc32.h"
#include "hash/hash_kernels.h"
#include "hash/hex_text.h"
#include "hash/md5.h"
#include "hash/sha1.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best of five runs, in seconds.
template <typename Body>
double BestTime(Body body) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        body();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

volatile uint32_t sink;

// Streams a file in 64 KiB blocks through each hash, as the file action
// does, and prints MB/s.
void StreamFile(const char* path) {
    std::vector<uint8_t> block(64 * 1024);
    const auto stream = [&](auto&& consume) {
        std::FILE* file = std::fopen(path, "rb");
        if (file == nullptr) return 0.0;
        std::setvbuf(file, nullptr, _IONBF, 0);
        size_t total = 0, got;
        while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
            consume(block.data(), got);
            total += got;
        }
        std::fclose(file);
        return double(total) / 1e6;
    };
    double mb = 0;
    const double crc = BestTime([&] {
        uint32_t value = 0;
        mb = stream([&](const uint8_t* p, size_t n) { value = kv::Crc32Update(value, p, n); });
        sink = value;
    });
    const double sha = BestTime([&] {
        kv::Sha1 sha1;
        stream([&](const uint8_t* p, size_t n) { sha1.Update(p, n); });
        sink = sha1.Finish()[0];
    });
    const double md5Time = BestTime([&] {
        kv::Md5 md5;
        stream([&](const uint8_t* p, size_t n) { md5.Update(p, n); });
        sink = md5.Finish()[0];
    });
    std::printf("file %s, %.0f MB: CRC-32 %.0f MB/s, SHA-1 %.0f MB/s, MD5 %.0f MB/s\n", path, mb,
                mb / crc, mb / sha, mb / md5Time);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        StreamFile(argv[1]);
        return 0;
    }
    const size_t size = 64u << 20;
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
    const double mb = double(size) / 1e6;

    for (auto kernel :
         {kv::Crc32Kernel::kPclmul, kv::Crc32Kernel::kSlicing8, kv::Crc32Kernel::kBytewise}) {
        if (!kv::ForceCrc32Kernel(kernel)) continue;
        const double t = BestTime([&] { sink = kv::Crc32(data.data(), size); });
        std::printf("CRC-32  %-16s %9.0f MB/s\n", kv::Crc32KernelName(), mb / t);
    }
    for (auto kernel : {kv::Sha1Kernel::kShaNi, kv::Sha1Kernel::kScalar}) {
        if (!kv::ForceSha1Kernel(kernel)) continue;
        const double t = BestTime([&] {
            kv::Sha1 sha1;
            sha1.Update(data.data(), size);
            sink = sha1.Finish()[0];
        });
        std::printf("SHA-1   %-16s %9.0f MB/s\n", kv::Sha1KernelName(), mb / t);
    }
    {
        const double t = BestTime([&] {
            kv::Md5 md5;
            md5.Update(data.data(), size);
            sink = md5.Finish()[0];
        });
        std::printf("MD5     %-16s %9.0f MB/s\n", "scalar", mb / t);
    }
    kv::SelectBestHashKernels();

    const std::string text = "0123456789abcdef0123456789ABCDEF";  // 32 bytes
    const int calls = 1000000;
    const double md5Text = BestTime([&] {
        for (int i = 0; i < calls; ++i) {
            kv::Md5 md5;
            md5.Update(text.data(), text.size());
            const auto digest = md5.Finish();
            sink = static_cast<uint32_t>(kv::HexUpper(digest.data(), digest.size()).size());
        }
    });
    const double crcText = BestTime([&] {
        for (int i = 0; i < calls; ++i) {
            sink =
                static_cast<uint32_t>(kv::HexUpper32(kv::Crc32(text.data(), text.size())).size());
        }
    });
    std::printf("32-byte text to hex: MD5 %.0f ns, CRC-32 %.0f ns per call\n",
                md5Text / calls * 1e9, crcText / calls * 1e9);
    return 0;
}
