// The search engine itself, linked directly, over real trees under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "find_file.h"
#include "find_tree.h"
#include "search/file_mask.h"
#include "search_paths.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

using Tree = kvtest::FindTree;

// Runs a search inside the call and returns the reported paths relative to
// `root`.
Lines Search(TFindFile& engine, const std::string& root) {
    Lines found;
    engine.OnFileMatch = [&](const TFileDetails& f) {
        found.push_back(std::string(f.Folder.substr(root.size())) + std::string(f.Name));
    };
    EXPECT_FALSE(engine.Execute().has_value());
    return found;
}

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(FindFile, RandomMasksAgreeWithTheSystemsPatternSearchAndTheExactTest) {
    Tree tree;
    std::mt19937 random(7);
    const std::string letters = "abAB.x";
    const auto upTo = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    for (int i = 0; i < 60; ++i) {
        std::string name;
        for (size_t n = 1 + upTo(6); n > 0; --n) name += letters[upTo(letters.size() - 1)];
        if (name.back() == '.') name += 'b';  // the system drops a final dot
        tree.File(name);
    }
    TFindFile engine;
    engine.Criteria.Files.SetLocation(tree.root());
    engine.Criteria.Files.SetSubfolders(false);
    const std::string pattern = "ab.x*?";
    int equal = 0, within = 0;
    // Wine 8 (the 32-bit Windows route) also loses names after a "*" whose
    // first try fails at the mask's end ("b*aa" misses "bAAa"): there its
    // lists are only checked to lie within ours.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const bool exactSystem = wow64 != FALSE;
    if (!exactSystem) std::printf("Wine 8's pattern search: lists checked for inclusion only\n");
    for (int round = 0; round < 300; ++round) {
        std::string mask;
        for (size_t n = 1 + upTo(5); n > 0; --n) {
            const char c = pattern[upTo(pattern.size() - 1)];
            // Wine 8 drops names when a "?" follows a "*": left out here.
            if (c == '?' && mask.find('*') != std::string::npos) continue;
            mask += c;
        }
        if (mask.empty()) continue;
        const TMask exact(mask, SystemLeadBytes());
        Lines expected;
        WIN32_FIND_DATAA e;
        HANDLE find = FindFirstFileA((tree.root() + mask).c_str(), &e);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                // Hidden (Wine hides names that start with "."), system and
                // folder entries are left out by default.
                if ((e.dwFileAttributes & 0x16) == 0 && exact.Matches(e.cFileName))
                    expected.push_back(e.cFileName);
            } while (FindNextFileA(find, &e));
            FindClose(find);
        }
        engine.Criteria.Files.SetFileName(mask);
        const Lines found = Sorted(Search(engine, tree.root()));
        expected = Sorted(expected);
        if (mask.find('?') == std::string::npos && exactSystem) {
            ASSERT_EQ(found, expected) << "mask " << mask;
            ++equal;
        } else {
            // Wine 10's pattern search, like Windows, lets no "?" take a
            // ".": it finds less than the exact test, never more.
            ASSERT_TRUE(std::includes(found.begin(), found.end(), expected.begin(), expected.end()))
                << "mask " << mask;
            ++within;
        }
    }
    std::printf("%d masks gave the system's list, %d a list within ours\n", equal, within);
}

TEST(FindFile, LevelsAndSubfolders) {
    Tree tree;
    tree.File("1.txt");
    tree.File("a\\2.txt");
    tree.File("a\\b\\3.txt");
    TFindFile engine;
    TFileCriteria& files = engine.Criteria.Files;
    files.SetLocation(tree.root());
    files.SetFileName("*.txt");
    EXPECT_EQ(Sorted(Search(engine, tree.root())), (Lines{"1.txt", "a\\2.txt", "a\\b\\3.txt"}));
    files.SetMaxLevel(1);
    EXPECT_EQ(Search(engine, tree.root()), Lines{"1.txt"});
    files.SetMaxLevel(2);
    EXPECT_EQ(Sorted(Search(engine, tree.root())), (Lines{"1.txt", "a\\2.txt"}));
    files.SetMaxLevel(0);
    files.SetMinLevel(2);
    EXPECT_EQ(Sorted(Search(engine, tree.root())), (Lines{"a\\2.txt", "a\\b\\3.txt"}));
    files.SetSubfolders(false);
    EXPECT_EQ(Search(engine, tree.root()), Lines{});
}

TEST(FindFile, AttributeCriteriaDecideWhatIsReportedAndEntered) {
    Tree tree;
    tree.File("plain.txt");
    tree.File("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    tree.File("system.txt", FILE_ATTRIBUTE_SYSTEM);
    tree.File("in.txt\\x.txt");
    tree.File("hid\\y.txt");
    tree.Folder("hid", FILE_ATTRIBUTE_HIDDEN);
    TFindFile engine;
    engine.Criteria.Files.SetLocation(tree.root());
    engine.Criteria.Files.SetFileName("*.txt");
    EXPECT_EQ(Sorted(Search(engine, tree.root())), (Lines{"in.txt\\x.txt", "plain.txt"}));

    TAttributesCriteria& a = engine.Criteria.Attributes;
    a.SetStatus(2, TFileAttributeStatus::fsIgnore);  // hidden
    EXPECT_EQ(Sorted(Search(engine, tree.root())),
              (Lines{"hid\\y.txt", "hidden.txt", "in.txt\\x.txt", "plain.txt"}));
    a.SetStatus(5, TFileAttributeStatus::fsIgnore);  // folders whose names match, too
    EXPECT_EQ(Sorted(Search(engine, tree.root())),
              (Lines{"hid\\y.txt", "hidden.txt", "in.txt", "in.txt\\x.txt", "plain.txt"}));
    a.SetStatus(1, TFileAttributeStatus::fsSet);  // read-only only
    EXPECT_EQ(Search(engine, tree.root()), Lines{});
    a.Clear();
    EXPECT_EQ(
        Sorted(Search(engine, tree.root())),
        (Lines{"hid\\y.txt", "hidden.txt", "in.txt", "in.txt\\x.txt", "plain.txt", "system.txt"}));
}

TEST(FindFile, FolderEventsFiltersAndTheOrderOfEvents) {
    Tree tree;
    tree.File("a.txt");
    tree.File("a.bak");
    tree.File("keep\\b.txt");
    tree.File("skip\\c.txt");
    tree.File("skip\\deeper\\d.txt");
    TFindFile engine;
    engine.Criteria.Files.SetLocation(tree.root());
    Lines events;
    engine.OnSearchBegin = [&] { events.push_back("begin"); };
    engine.OnSearchFinish = [&] {
        events.push_back("finish");
        EXPECT_FALSE(engine.Busy());
    };
    engine.OnFolderChange = [&](std::string_view folder) {
        EXPECT_TRUE(engine.Busy());
        EXPECT_EQ(engine.CurrentTarget()->Folder, tree.root());
        if (folder == tree.root() + "skip\\") return TFolderIgnore::fiJustThis;
        if (folder == tree.root() + "keep\\") return TFolderIgnore::fiThisAndSubfolders;
        return TFolderIgnore::fiNone;
    };
    Lines found = Search(engine, tree.root());
    EXPECT_EQ(Sorted(found), (Lines{"a.bak", "a.txt", "skip\\deeper\\d.txt"}));
    EXPECT_EQ(events, (Lines{"begin", "finish"}));

    engine.OnFolderChange = nullptr;
    engine.Criteria.Files.SetFilters({"<*.bak", "<*\\skip\\*", ">*"});
    EXPECT_EQ(Sorted(Search(engine, tree.root())), (Lines{"a.txt", "keep\\b.txt"}));
}

TEST(FindFile, ThreadedSearchRunsItsWalkOnTheWorkerAndEndsOnTheOwner) {
    Tree tree;
    for (int i = 0; i < 50; ++i) tree.File("f" + std::to_string(i) + ".txt");
    const DWORD owner = GetCurrentThreadId();
    TFindFile engine;
    ASSERT_NE(engine.WindowHandle(), nullptr);
    EXPECT_EQ(GetParent(engine.WindowHandle()), nullptr);
    engine.Threaded = true;
    engine.Criteria.Files.SetLocation(tree.root());
    int matches = 0, finished = 0;
    DWORD walker = 0;
    engine.OnFileMatch = [&](const TFileDetails&) {
        walker = GetCurrentThreadId();
        ++matches;
    };
    engine.OnSearchFinish = [&] {
        EXPECT_EQ(GetCurrentThreadId(), owner);
        ++finished;
    };
    ASSERT_FALSE(engine.Execute().has_value());
    EXPECT_TRUE(engine.Busy());
    EXPECT_FALSE(engine.Execute().has_value());  // ignored while busy
    MSG msg;
    const DWORD end = GetTickCount() + 30000;
    while (engine.Busy() && GetTickCount() < end) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    EXPECT_FALSE(engine.Busy());
    EXPECT_EQ(matches, 50);
    EXPECT_EQ(finished, 1);
    EXPECT_NE(walker, owner);
}

TEST(FindFile, FreedInMidRunItWaitsForTheWorkerAndLeavesNoWindowClass) {
    Tree tree;
    for (int i = 0; i < 300; ++i) tree.File("f" + std::to_string(i) + ".txt");
    for (int round = 0; round < 20; ++round) {
        auto engine = std::make_unique<TFindFile>();
        engine->Threaded = true;
        engine->Criteria.Files.SetLocation(tree.root());
        int finished = 0;
        engine->OnSearchFinish = [&] { ++finished; };
        ASSERT_FALSE(engine->Execute().has_value());
        if (round % 2) engine->Suspend();
        const HWND window = engine->WindowHandle();
        engine.reset();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(finished, 0);
    }
    WNDCLASSA wc;
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<const char*>(&Search), &self);
    EXPECT_FALSE(GetClassInfoA(self, "KelvaneFindFileWindow", &wc));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);  // stale notices
}

// A subclass whose events use its own members stops the worker in its
// destructor, before those members go.
class CountingFind : public TFindFile {
public:
    explicit CountingFind(bool* membersGone) : membersGone_(membersGone) {
        OnFileMatch = [this](const TFileDetails&) {
            if (*membersGone_) lateEvents++;
            names.emplace_back("x");
        };
    }
    ~CountingFind() override {
        Shutdown();
        *membersGone_ = true;
        Sleep(10);  // a slow teardown: a worker still running would be seen
    }
    CountingFind(const CountingFind&) = delete;
    CountingFind& operator=(const CountingFind&) = delete;

    std::vector<std::string> names;
    static inline int lateEvents = 0;

private:
    bool* membersGone_;
};

TEST(FindFile, NoEventReachesASubclassThatIsGoing) {
    Tree tree;
    for (int i = 0; i < 400; ++i) tree.File("f" + std::to_string(i) + ".txt");
    for (int round = 0; round < 30; ++round) {
        bool gone = false;
        {
            CountingFind engine(&gone);
            engine.Threaded = true;
            engine.Criteria.Files.SetLocation(tree.root());
            ASSERT_FALSE(engine.Execute().has_value());
            Sleep(static_cast<DWORD>(round % 3));
        }
        Sleep(2);
    }
    EXPECT_EQ(CountingFind::lateEvents, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace
}  // namespace kv
