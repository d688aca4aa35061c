// Times qvFindFiles through the DLL's exports against a bare
// FindFirstFileA/FindNextFileA walk of the same tree, in one run, and the
// time per found file as the results grow from 1,000 to 100,000.
//   find_bench ROOT   (ROOT\t1k, ROOT\t10k and ROOT\t100k, made by find_bench.sh)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_util.h"
#include "test_host.h"

namespace {

using kvbench::ExeFolder;
using kvbench::Now;

// User and kernel time of this thread: what the walk itself costs, whatever
// else the machine runs meanwhile.
double CpuNow() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto value = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

// Every file below `folder` (ending with "\"), counted.
size_t BareWalk(std::string& folder) {
    size_t files = 0;
    const size_t length = folder.size();
    folder += '*';
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(folder.c_str(), &entry);
    folder.resize(length);
    if (find == INVALID_HANDLE_VALUE) return 0;
    std::vector<std::string> subfolders;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::string_view(entry.cFileName) != "." &&
                std::string_view(entry.cFileName) != "..")
                subfolders.emplace_back(entry.cFileName);
        } else {
            ++files;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    for (const std::string& name : subfolders) {
        folder += name + "\\";
        files += BareWalk(folder);
        folder.resize(length);
    }
    return files;
}

template <typename F>
double Median(int runs, F body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        body();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: find_bench ROOT\n", stderr);
        return 2;
    }
    const std::string root = std::string(argv[1]) + "\\";
    kvhost::TestHost host;
    std::string error;
    if (!host.Load(ExeFolder() + "\\Kelvane.dll", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    host.StartUp();
    const auto search = [&](const std::string& folder) {
        host.ExecAction(54, {"*.*", folder, "SubFolders", "", "[found]", "Find"});
        host.calls().clear();
        return std::stoul(host.Vars().Get("[qvFindFilesCount]"));
    };

    // Both walks once to warm the caches, then alternately.
    const std::string big = root + "t100k\\";
    std::string walkFolder = big;
    const size_t walked = BareWalk(walkFolder);
    const size_t found = search(big);
    constexpr int kRounds = 11;
    std::vector<double> ratios, cpuRatios;
    double bare = 0, action = 0;
    for (int round = 0; round < kRounds; ++round) {
        double t0 = Now(), c0 = CpuNow();
        BareWalk(walkFolder);
        const double b = Now() - t0, bc = CpuNow() - c0;
        t0 = Now();
        c0 = CpuNow();
        search(big);
        const double a = Now() - t0, ac = CpuNow() - c0;
        bare += b;
        action += a;
        ratios.push_back(a / b);
        cpuRatios.push_back(ac / bc);
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(cpuRatios.begin(), cpuRatios.end());
    std::printf(
        "tree of %zu files: bare FindFirstFile walk %.0f ms, qvFindFiles %.0f ms (%zu found)\n"
        "  ratio %.3f in time, %.3f in CPU time (medians of %d rounds)\n",
        walked, bare / kRounds * 1000, action / kRounds * 1000, found, ratios[kRounds / 2],
        cpuRatios[kRounds / 2], kRounds);

    for (const char* sub : {"t1k", "t10k", "t100k"}) {
        const std::string folder = root + sub + "\\";
        size_t results = 0;
        std::string walk = folder;
        const double t = Median(9, [&] { results = search(folder); });
        const double w = Median(9, [&] { BareWalk(walk); });
        const double per = 1e6 / double(results ? results : 1);
        std::printf("%7zu results: %.2f us per found file (the bare walk: %.2f us per file)\n",
                    results, t * per, w * per);
    }
    return 0;
}
