// The shell file-operation requests of the folder actions, seen through the
// one replaceable call: flag words, path lists of any length, refusals
// before anything is touched, and the checks after a reported success.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../host/file_tree.h"
#include "folder_operations.h"

namespace kv {
namespace {

using kvtest::TempTree;

struct Request {
    UINT code = 0;
    FILEOP_FLAGS flags = 0;
    std::vector<std::wstring> from, to;
    bool hasTo = false;
};

std::vector<Request> g_requests;
int g_result = 0;
BOOL g_aborted = FALSE;
bool g_passOn = false;  // run the real operation after recording

std::vector<std::wstring> SplitList(const wchar_t* list) {
    std::vector<std::wstring> paths;
    for (; list != nullptr && *list != L'\0'; list += wcslen(list) + 1) paths.emplace_back(list);
    return paths;
}

int WINAPI Record(SHFILEOPSTRUCTW* op) {
    Request request;
    request.code = op->wFunc;
    request.flags = op->fFlags;
    request.from = SplitList(op->pFrom);
    request.hasTo = op->pTo != nullptr;
    request.to = SplitList(op->pTo);
    g_requests.push_back(request);
    EXPECT_EQ(op->hwnd, nullptr);
    EXPECT_EQ(op->lpszProgressTitle, nullptr);
    if (g_passOn) return SHFileOperationW(op);
    op->fAnyOperationsAborted = g_aborted;
    return g_result;
}

class FolderOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_requests.clear();
        g_result = 0;
        g_aborted = FALSE;
        g_passOn = false;
        ShellFileOperation = &Record;
    }
    void TearDown() override { ShellFileOperation = &SHFileOperationW; }
};

TEST_F(FolderOperationsTest, FlagWordsOfEveryOptionCombination) {
    TempTree tree("flags");
    tree.File(L"src\\a", "a");
    const std::string src = tree.A(L"src");
    const std::string dst = tree.A(L"dst");
    for (int options = 0; options < 8; ++options) {
        const bool filesOnly = options & 1, confirm = options & 2, progress = options & 4;
        g_requests.clear();
        CopyMoveFolderOp(src, dst, FO_COPY, filesOnly, confirm, progress);
        ASSERT_EQ(g_requests.size(), 1u) << options;
        FILEOP_FLAGS expected = 0;
        if (!confirm) expected |= FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION;
        if (!progress) expected |= FOF_SILENT;
        if (filesOnly) expected |= FOF_FILESONLY;
        EXPECT_EQ(g_requests[0].flags, expected) << options;
        EXPECT_EQ(g_requests[0].code, static_cast<UINT>(FO_COPY));
        EXPECT_EQ(g_requests[0].from, std::vector<std::wstring>{tree[L"src\\*.*"]});
        EXPECT_EQ(g_requests[0].to, std::vector<std::wstring>{tree[L"dst"]});
    }
    for (int options = 0; options < 4; ++options) {
        const bool undo = options & 1, confirm = options & 2;
        g_requests.clear();
        tree.Folder(L"del");
        DeleteFolderOp(tree.A(L"del"), undo, confirm);
        ASSERT_EQ(g_requests.size(), 1u);
        const FILEOP_FLAGS expected = static_cast<FILEOP_FLAGS>(
            (confirm ? FOF_CONFIRMMOUSE : FOF_NOCONFIRMATION) | (undo ? FOF_ALLOWUNDO : 0));
        EXPECT_EQ(g_requests[0].flags, expected) << options;
        EXPECT_EQ(g_requests[0].code, static_cast<UINT>(FO_DELETE));
        EXPECT_EQ(g_requests[0].from, std::vector<std::wstring>{tree[L"del"]});
        EXPECT_FALSE(g_requests[0].hasTo);
    }
}

TEST_F(FolderOperationsTest, MovingFilesOnlyGivesEachFileItsDestination) {
    TempTree tree("multi");
    tree.File(L"src\\one", "1");
    tree.File(L"src\\Папка 日本", "2");
    tree.File(L"src\\sub\\three", "3");
    g_passOn = true;
    EXPECT_TRUE(CopyMoveFolderOp(tree.A(L"src"), tree.A(L"dst"), FO_MOVE, true, false, false));
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_EQ(g_requests[0].flags, FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION | FOF_SILENT |
                                       FOF_FILESONLY | FOF_MULTIDESTFILES);
    EXPECT_EQ(g_requests[0].from.size(), 2u);
    EXPECT_EQ(g_requests[0].to.size(), 2u);
    EXPECT_EQ(kvtest::Names(tree[L"src"]), std::vector<std::wstring>{L"sub"});
    EXPECT_EQ(kvtest::Names(tree[L"dst"]), (std::vector<std::wstring>{L"one", L"Папка 日本"}));
    EXPECT_EQ(kvtest::ReadAll(tree[L"dst\\Папка 日本"]), "2");
}

TEST_F(FolderOperationsTest, PathListsTakeLongPathsAndTheShellNeverSeesTooLongOnes) {
    TempTree tree("long");
    // 200 characters: past the old 127, within what the shell takes.
    const std::wstring name(200 - tree.root().size() - 1, L'n');
    tree.File(name + L"\\f", "x");
    g_passOn = true;
    EXPECT_TRUE(CopyMoveFolderOp(tree.A(name), tree.A(L"d"), FO_COPY, false, false, false));
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_EQ(g_requests[0].from, std::vector<std::wstring>{tree[name] + L"\\*.*"});
    EXPECT_EQ(kvtest::ReadAll(tree[L"d\\f"]), "x");

    // A source or destination of MAX_PATH characters or more is refused
    // before anything is touched (Wine's shell crashes on it).
    g_requests.clear();
    const std::wstring longName(MAX_PATH - tree.root().size() - 1, L'L');
    tree.File(longName + L"\\f", "x");
    EXPECT_FALSE(CopyMoveFolderOp(tree.A(longName), tree.A(L"d2"), FO_COPY, false, false, false));
    EXPECT_FALSE(
        CopyMoveFolderOp(tree.A(name), tree.A(longName + L"x"), FO_COPY, false, false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(longName), false, false));
    EXPECT_TRUE(g_requests.empty());
    EXPECT_FALSE(kvtest::PathExists(tree[L"d2"]));
}

TEST_F(FolderOperationsTest, DestinationInsideTheSourceIsRefusedUntouched) {
    TempTree tree("inside");
    tree.File(L"src\\a", "a");
    for (const wchar_t* to : {L"src", L"src\\", L"SRC\\inner", L"src\\inner\\deeper"}) {
        EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"src"), tree.A(to), FO_COPY, false, false, false));
        EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"src"), tree.A(to), FO_MOVE, false, false, false));
    }
    EXPECT_TRUE(g_requests.empty());
    EXPECT_EQ(kvtest::Names(tree[L"src"]), std::vector<std::wstring>{L"a"});
    // A sibling whose name starts like the source is no problem.
    CopyMoveFolderOp(tree.A(L"src"), tree.A(L"src2"), FO_COPY, false, false, false);
    EXPECT_EQ(g_requests.size(), 1u);
}

TEST_F(FolderOperationsTest, SuccessIsCheckedAgainstTheFiles) {
    TempTree tree("checks");
    tree.File(L"src\\a", "a");
    tree.Folder(L"victim");
    // The shell says it did it, but nothing happened.
    EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"src"), tree.A(L"dst"), FO_COPY, false, false, false));
    EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"src"), tree.A(L"dst"), FO_MOVE, false, false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"victim"), false, false));
    // The user said No: 0 with the abort flag.
    g_passOn = false;
    g_aborted = TRUE;
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"victim"), false, true));
    // A shell error.
    g_aborted = FALSE;
    g_result = 0x75;
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"victim"), false, false));
    // The destination (and its parents) exist before the shell is asked.
    EXPECT_TRUE(kvtest::PathExists(tree[L"dst"]));
    g_result = 0;
    g_requests.clear();
    EXPECT_FALSE(
        CopyMoveFolderOp(tree.A(L"src"), tree.A(L"new\\deep\\dst"), FO_COPY, false, false, false));
    EXPECT_TRUE(kvtest::PathExists(tree[L"new\\deep\\dst"]));
    // An empty source needs no shell at all.
    g_requests.clear();
    tree.Folder(L"empty");
    EXPECT_TRUE(CopyMoveFolderOp(tree.A(L"empty"), tree.A(L"dst3"), FO_MOVE, false, false, false));
    EXPECT_TRUE(g_requests.empty());
    EXPECT_TRUE(kvtest::PathExists(tree[L"dst3"]));
}

TEST_F(FolderOperationsTest, DeleteFindsThePathExactlyAsWritten) {
    TempTree tree("exact");
    tree.Folder(L"plain");
    tree.Folder(L"hidden");
    tree.Folder(L"system");
    tree.File(L"file", "x");
    SetFileAttributesW(tree[L"hidden"].c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(tree[L"system"].c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"plain") + "\\", false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"hidden"), false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"system"), false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"file"), false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"missing"), false, false));
    EXPECT_FALSE(DeleteFolderOp("", false, false));
    // Wildcards would reach every match.
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"pla*"), false, false));
    EXPECT_FALSE(DeleteFolderOp(tree.A(L"plai?"), false, false));
    EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"pla*"), tree.A(L"x"), FO_COPY, false, false, false));
    EXPECT_FALSE(CopyMoveFolderOp(tree.A(L"plain"), tree.A(L"x*"), FO_MOVE, false, false, false));
    EXPECT_TRUE(g_requests.empty());
}

}  // namespace
}  // namespace kv
