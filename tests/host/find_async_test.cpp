// The find-files action in the background: delivery on the host's thread,
// pausing, stopping, a second "Find", the end of the run and unloading in
// mid-run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "find_fixture.h"
#include "find_tree.h"

namespace kvtest {
namespace {

constexpr int kWaitMs = 60000;

// 20 folders of 1,000 files, made once and kept beside the test program
// (and shared, under a mutex, by the tests running in parallel).
std::string BigTree() {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string root = exe;
    root.erase(root.find_last_of('\\') + 1);
    root += "find-tree-20000\\";
    const std::string marker = root + "complete";
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "kelvane-find-tree-20000");
    WaitForSingleObject(mutex, INFINITE);
    if (GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryA(root.c_str(), nullptr);
        for (int f = 0; f < 20; ++f) {
            const std::string folder = root + "folder" + std::to_string(f) + "\\";
            CreateDirectoryA(folder.c_str(), nullptr);
            for (int i = 0; i < 1000; ++i) {
                const std::string file = folder + "file" + std::to_string(i) + ".dat";
                HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
                if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
            }
        }
        HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return root;
}

class FindAsyncTest : public FindActionTest {
protected:
    // Pumps for a while; nothing may arrive.
    void ExpectQuiet(int milliseconds, int line) {
        const size_t before = host_->calls().size();
        host_->Wait(milliseconds);
        EXPECT_EQ(host_->calls().size(), before) << "called from line " << line;
    }
    // The one delivery of a search: list, count, subroutine, in that order
    // and nothing else. Returns the list.
    std::string ExpectOneDelivery(const std::string& variable, const std::string& goSub, int line,
                                  int settleMs = 50) {
        EXPECT_TRUE(host_->WaitForScript(goSub, kWaitMs)) << "called from line " << line;
        host_->Wait(settleMs);
        const Lines calls = Calls();
        EXPECT_EQ(calls.size(), 3u) << "called from line " << line;
        if (calls.size() != 3) return {};
        EXPECT_EQ(calls[0].rfind("SetVar|" + variable + "|", 0), 0u) << calls[0];
        EXPECT_EQ(calls[2], "ScriptProcessor|" + goSub);
        const std::string list = host_->Vars().Get(variable);
        size_t lines = 0;
        for (size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
            ++lines;
        EXPECT_EQ(calls[1], "SetVar|[qvFindFilesCount]|" + std::to_string(lines));
        return list;
    }
};

TEST_F(FindAsyncTest, DeliversOnceOnTheHostsThreadAfterTheCall) {
    FindTree tree;
    tree.File("a.txt");
    tree.File("sub\\b.txt");
    tree.File("h.txt", FILE_ATTRIBUTE_HIDDEN);
    const std::string r = tree.root();
    EXPECT_TRUE(Find("*.txt", r, "Async+SubFolders"));
    EXPECT_TRUE(Calls().empty());  // nothing before the host pumps messages
    const std::string list = ExpectOneDelivery("[found]", kDone, __LINE__);
    EXPECT_EQ(list, ListText(ReportOrder(r, {r + "a.txt", r + "sub\\b.txt"})));
    ExpectQuiet(200, __LINE__);
}

TEST_F(FindAsyncTest, WorkerFailureIsReportedOnTheHostsThreadBeforeTheResults) {
    FindTree tree;
    tree.File("x.txt");
    EXPECT_TRUE(Find("*.txt;[a", tree.root(), "async+namesonly"));
    ASSERT_TRUE(host_->WaitForScript(kDone, kWaitMs));
    EXPECT_EQ(Calls(), (Lines{"SetVar|[LastError]|" + kThreadFailure, "SetVar|[found]|x.txt\r\n",
                              "SetVar|[qvFindFilesCount]|1", "ScriptProcessor|" + kDone}));
}

TEST_F(FindAsyncTest, PausesNestAndAbortEndsTheSearchWithAPrefix) {
    const std::string big = BigTree();
    EXPECT_TRUE(Find("*.dat", big, "SubFolders"));  // the whole list, inside the call
    const std::string full = host_->Vars().Get("[found]");
    ASSERT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "20000");
    host_->calls().clear();

    EXPECT_TRUE(Find("*.dat", big, "Async+SubFolders"));
    EXPECT_TRUE(Steer("Suspend"));
    EXPECT_TRUE(Steer("suspend"));
    ExpectQuiet(300, __LINE__);
    EXPECT_TRUE(Steer("Resume"));
    ExpectQuiet(300, __LINE__);  // still paused once
    EXPECT_TRUE(Steer("RESUME"));
    EXPECT_EQ(ExpectOneDelivery("[found]", kDone, __LINE__), full);

    host_->calls().clear();
    EXPECT_TRUE(Find("*.dat", big, "Async+SubFolders"));
    EXPECT_TRUE(Steer("Suspend"));
    EXPECT_TRUE(Steer("Suspend"));
    EXPECT_TRUE(Steer("Abort"));  // however often it was paused
    const std::string part = ExpectOneDelivery("[found]", kDone, __LINE__);
    EXPECT_LT(part.size(), full.size());
    EXPECT_EQ(full.compare(0, part.size(), part), 0);
    ExpectQuiet(200, __LINE__);
}

TEST_F(FindAsyncTest, SecondFindStartsNothingButTakesOverTheDelivery) {
    const std::string big = BigTree();
    EXPECT_TRUE(Find("*.dat", big, "Async+SubFolders", "[first]", "Done"));
    EXPECT_TRUE(Steer("Suspend"));
    // Other masks and folders, names only, another variable and subroutine.
    EXPECT_TRUE(Find("nothing", "C:\\", "Async+NamesOnly", "[second]", "Other"));
    EXPECT_TRUE(Steer("Resume"));
    const std::string list = ExpectOneDelivery("[second]", kOther, __LINE__);
    EXPECT_EQ(list.rfind("file", 0), 0u);
    EXPECT_EQ(list.find('\\'), std::string::npos);  // one format for the whole list
    EXPECT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "20000");
    EXPECT_EQ(host_->Vars().Get("[first]"), "");
}

TEST_F(FindAsyncTest, EndOfRunLeavesTheSearchAlone) {
    const std::string big = BigTree();
    EXPECT_TRUE(Find("*.dat", big, "Async+SubFolders"));
    host_->EndRun();
    ExpectOneDelivery("[found]", kDone, __LINE__);
    EXPECT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "20000");
}

// A thousand searches over 20,000 files, each stopped at once: with
// "Abort", "Suspend" then "Abort", the end of the run then "Abort", or by
// unloading the library (paused or not), which the host then loads again.
TEST_F(FindAsyncTest, StoppedAtOnceAThousandTimes) {
    const std::string big = BigTree();
    EXPECT_TRUE(Find("*.dat", big, "SubFolders"));
    const std::string full = host_->Vars().Get("[found]");
    ASSERT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "20000");

    int delivered = 0, unloaded = 0;
    for (int i = 0; i < 1000; ++i) {
        host_->calls().clear();
        ASSERT_TRUE(Find("*.dat", big, "Async+SubFolders")) << i;
        const int way = i % 5;
        if (way >= 3) {
            if (way == 4) Steer("Suspend");
            host_->Unload();
            ASSERT_EQ(GetModuleHandleA("Kelvane.dll"), nullptr) << i;
            const size_t before = host_->calls().size();
            host_->Wait(5);
            ASSERT_EQ(host_->calls().size(), before) << "a callback after FreeLibrary, round " << i;
            std::string error;
            ASSERT_TRUE(host_->Load(PluginPath(), error)) << error;
            Start(kScript);
            ++unloaded;
            continue;
        }
        if (way == 1) Steer("Suspend");
        if (way == 2) host_->EndRun();
        Steer("Abort");
        const std::string part = ExpectOneDelivery("[found]", kDone, __LINE__, 2);
        ASSERT_FALSE(HasFailure()) << "round " << i;
        ASSERT_EQ(full.compare(0, part.size(), part), 0) << "round " << i;
        ++delivered;
    }
    std::printf("%d searches stopped and delivered, %d unloaded in mid-run\n", delivered, unloaded);
}

// A host that ends its process while a search runs: the worker is gone with
// the other threads, and the library waits for nothing.
TEST_F(FindAsyncTest, ProcessExitInMidRunEndsPromptly) {
    const std::string big = BigTree();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder = exe;
    folder.erase(folder.find_last_of('\\') + 1);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string script =
        std::string(temp) + "kvfind-exit-" + std::to_string(GetCurrentProcessId()) + ".nbs";
    for (const char* steer : {"", "qvFindFiles \"\" \"\" \"\" \"\" \"[x]\" \"Suspend\"\n"}) {
        const std::string text = "qvFindFiles \"*.dat\" \"" + big +
                                 "\" \"Async+SubFolders\" \"\" \"[x]\" \"Find\"\n" + steer +
                                 "HostExit \"7\"\n";
        HANDLE file = CreateFileA(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);

        std::string command = "\"" + folder + "kelvane-host.exe\" \"" + script + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << steer;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 7u) << steer;
        if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace kvtest
