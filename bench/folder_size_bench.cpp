// Times qvFolderSize on one tree through the DLL's exports, as a
// publication would call it, against a bare recursive FindFirstFileW /
// FindNextFileW walk of the same tree in the same run.
//   folder_size_bench FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_util.h"
#include "test_host.h"

namespace {

using kvbench::ExeFolder;
using kvbench::Now;

// The plainest walk: recursion, the default find level, no links skipped.
void BareWalk(const std::wstring& folder, unsigned long long& total, unsigned long& files) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
                BareWalk(folder + L"\\" + data.cFileName, total, files);
        } else {
            total +=
                (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: folder_size_bench FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    kvhost::TestHost host;
    std::string error;
    if (!host.Load(ExeFolder() + "\\Kelvane.dll", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    host.StartUp();
    const std::wstring wide(folder.begin(), folder.end());
    double bestAction = 1e9, bestBare = 1e9;
    unsigned long long bare = 0;
    unsigned long files = 0;
    // Alternate the two so that both see the same cache state.
    for (int i = 0; i < rounds; ++i) {
        double start = Now();
        host.ExecAction(43, {folder, "[size]"});
        bestAction = std::min(bestAction, Now() - start);
        bare = 0;
        files = 0;
        start = Now();
        BareWalk(wide, bare, files);
        bestBare = std::min(bestBare, Now() - start);
    }
    const std::string size = host.Vars().Get("[size]");
    std::printf("qvFolderSize: %s bytes, best of %d: %.1f ms\n", size.c_str(), rounds,
                bestAction * 1000);
    std::printf("bare walk:    %llu bytes in %lu files, best of %d: %.1f ms\n", bare, files, rounds,
                bestBare * 1000);
    std::printf("ratio: %.2fx\n", bestAction / bestBare);
    return size == std::to_string(bare) ? 0 : 1;
}
