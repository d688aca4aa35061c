// Times qvGetFileHash on one file through the DLL's exports, as a
// publication would call it, and prints MB/s for each kind.
//   hash_file_bench FILE [KIND...]   (kinds: MD5 SHA1 CRC32 CRC)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_util.h"
#include "test_host.h"

namespace {

using kvbench::ExeFolder;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: hash_file_bench FILE [KIND...]\n", stderr);
        return 2;
    }
    const std::string file = argv[1];
    std::vector<std::string> kinds(argv + 2, argv + argc);
    if (kinds.empty()) kinds = {"CRC32", "SHA1", "MD5", "CRC"};

    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) {
        std::fprintf(stderr, "hash_file_bench: cannot see %s\n", file.c_str());
        return 1;
    }
    const double megabytes = double((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) / 1e6;

    kvhost::TestHost host;
    std::string error;
    if (!host.Load(ExeFolder() + "\\Kelvane.dll", error)) {
        std::fprintf(stderr, "hash_file_bench: %s\n", error.c_str());
        return 1;
    }
    host.StartUp();
    for (const std::string& kind : kinds) {
        double best = 1e30;
        for (int round = 0; round < 3; ++round) {
            LARGE_INTEGER start, stop;
            QueryPerformanceCounter(&start);
            const bool ok = host.ExecAction(52, {file, "[h]", kind});
            QueryPerformanceCounter(&stop);
            if (!ok) {
                std::fprintf(stderr, "hash_file_bench: %s failed: %s\n", kind.c_str(),
                             host.Vars().Get("[LastError]").c_str());
                return 1;
            }
            best = std::min(best, Seconds(start, stop));
        }
        std::printf("%-6s %10.1f MB/s  %8.3f s  %s\n", kind.c_str(), megabytes / best, best,
                    host.Vars().Get("[h]").c_str());
    }
    return 0;
}
