// Deleting, copying and moving folders through the exports with the real
// shell, on real trees. Dialogs are answered from a second thread.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "file_tree.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

constexpr int32_t kFolderSize = 43;
constexpr int32_t kDeleteFolder = 44;
constexpr int32_t kFolderOperation = 57;

std::string Cp1251(const std::wstring& text) {
    char bytes[128] = {};
    WideCharToMultiByte(1251, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}
const std::string kDeleteFailed = Cp1251(L"Ошибка удаления папки");
const std::string kCopyFailed = Cp1251(L"Ошибка копирования папки");

// Every entry below `folder` with its bytes, "<dir>" for folders, and the
// ReadOnly bit of files (64-bit Wine's shell does not copy Hidden).
void Listing(const std::wstring& folder, const std::wstring& prefix,
             std::map<std::wstring, std::string>& out) {
    for (const std::wstring& name : Names(folder)) {
        const std::wstring path = folder + L"\\" + name;
        const DWORD attributes = GetFileAttributesW(Long(path).c_str());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[prefix + name] = "<dir>";
            Listing(path, prefix + name + L"\\", out);
        } else {
            out[prefix + name] =
                ReadAll(path) + ((attributes & FILE_ATTRIBUTE_READONLY) ? " R" : "");
        }
    }
}
std::map<std::wstring, std::string> Listing(const std::wstring& folder) {
    std::map<std::wstring, std::string> out;
    Listing(folder, L"", out);
    return out;
}

class FolderOperationTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start(":Done\nSetVar \"[done]\" \"yes\"\nReturn\n");
        host_->Vars().Set("[LastError]", "none");
        dialogs_ = std::make_unique<DialogAnswerer>(IDCANCEL);
    }
    void TearDown() override {
        dialogs_.reset();
        HostTest::TearDown();
    }
    bool Delete(const std::string& folder, const std::string& undo, const std::string& confirm) {
        return host_->ExecAction(kDeleteFolder, {folder, undo, confirm});
    }
    bool Operation(const std::string& source, const std::string& destination,
                   const std::string& operation, const std::string& options,
                   const std::string& subroutine = "Done") {
        host_->calls().clear();
        const bool result = host_->ExecAction(
            kFolderOperation, {source, destination, operation, options, subroutine});
        ExpectCleanCall(__LINE__);
        return result;
    }
    bool SubroutineRan() {
        return host_->CallsOf("ScriptProcessor") == std::vector<std::string>{"GoSub \"Done\""};
    }
    std::string LastError() { return host_->Vars().Get("[LastError]"); }

    // Every test answers the shell's dialogs, so none can be left waiting.
    std::unique_ptr<DialogAnswerer> dialogs_;

    // Nesting, blanks, dots, Cyrillic and non-1251 names, hidden and
    // read-only files, empty folders.
    static void Fill(TempTree& tree, const std::wstring& at) {
        tree.File(at + L"\\top.txt", "top");
        tree.File(at + L"\\a b\\c d.e f.txt", "blank");
        tree.File(at + L"\\a b\\.dots.in.names\\deeper\\y", "deep");
        tree.File(at + L"\\Папка\\файл.txt", "cyrillic");
        tree.File(at + L"\\日本語\\ファイル", "cjk");
        tree.File(at + L"\\hidden.bin", "h", FILE_ATTRIBUTE_HIDDEN);
        tree.File(at + L"\\sub\\readonly.bin", "r", FILE_ATTRIBUTE_READONLY);
        tree.Folder(at + L"\\empty\\emptier");
    }
};

TEST_F(FolderOperationTest, DeleteFolderRemovesAnExistingFolderOnly) {
    TempTree tree("delete");
    Fill(tree, L"plain");
    EXPECT_TRUE(Delete(tree.A(L"plain"), "", ""));
    EXPECT_FALSE(PathExists(tree[L"plain"]));
    // Both words joined make neither choice: no dialog, gone for good.
    tree.File(L"joined\\f", "x");
    EXPECT_TRUE(Delete(tree.A(L"joined"), "Undo+Confirm", "Undo+Confirm"));
    EXPECT_FALSE(PathExists(tree[L"joined"]));
    EXPECT_EQ(dialogs_->answered(), 0);
    EXPECT_EQ(LastError(), "none");

    tree.Folder(L"hidden");
    SetFileAttributesW(tree[L"hidden"].c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.Folder(L"kept");
    tree.File(L"file", "x");
    for (const std::string& path : {tree.A(L"hidden"), tree.A(L"kept") + "\\", tree.A(L"file"),
                                    tree.A(L"missing"), std::string()}) {
        host_->Vars().Set("[LastError]", "none");
        EXPECT_FALSE(Delete(path, "", "")) << path;
        EXPECT_EQ(LastError(), kDeleteFailed) << path;
    }
    EXPECT_EQ(Names(tree.root()), (std::vector<std::wstring>{L"file", L"hidden", L"kept"}));
}

TEST_F(FolderOperationTest, DeleteFolderAsksWhenToldAndHonoursNo) {
    TempTree tree("confirm");
    tree.File(L"asked\\f", "x");
    dialogs_->press(IDNO);
    EXPECT_FALSE(Delete(tree.A(L"asked"), "", "confirm"));
    EXPECT_GE(dialogs_->answered(), 1);
    EXPECT_EQ(LastError(), kDeleteFailed);
    EXPECT_EQ(ReadAll(tree[L"asked\\f"]), "x");
    dialogs_->press(IDYES);
    EXPECT_TRUE(Delete(tree.A(L"asked"), "", "CONFIRM"));
    EXPECT_GE(dialogs_->answered(), 1);
    EXPECT_FALSE(PathExists(tree[L"asked"]));
}

// Wine's recycle bin is the XDG trash of the Linux user; seen through Z:.
std::wstring TrashFolder() {
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", value, MAX_PATH) > 0)
        return L"Z:" + std::wstring(value) + L"/Trash";
    // Wine gives the Linux home as "\\??\\Z:\\home\\user".
    if (GetEnvironmentVariableW(L"WINEHOMEDIR", value, MAX_PATH) > 4)
        return std::wstring(value + 4) + L"\\.local\\share\\Trash";
    return {};
}

// Takes the entries named `name` (or `name` plus a suffix) out of the
// trash; returns how many held `file`.
int TakeFromTrash(const std::wstring& trash, const std::wstring& name, const std::wstring& file) {
    int found = 0;
    for (std::wstring entry : Names(trash + L"\\files")) {
        if (entry != name && entry.rfind(name + L"-", 0) != 0) continue;
        if (PathExists(trash + L"\\files\\" + entry + L"\\" + file)) ++found;
        RemoveTree(trash + L"\\files\\" + entry);
        RemoveTree(trash + L"\\info\\" + entry + L".trashinfo");
    }
    return found;
}

TEST_F(FolderOperationTest, DeleteFolderWithUndoUsesTheRecycleBin) {
    TempTree tree("undo");
    const std::wstring name = L"binned-" + std::to_wstring(GetTickCount());
    tree.File(name + L"\\marker", "x");
    dialogs_->press(IDYES);  // a shell without a bin asks to delete for good
    EXPECT_TRUE(Delete(tree.A(name), "undo", ""));
    EXPECT_FALSE(PathExists(tree[name]));
    const std::wstring trash = TrashFolder();
    if (trash.empty()) {
        std::printf("No Linux home in the environment: the bin goes unchecked.\n");
    } else {
        EXPECT_EQ(TakeFromTrash(trash, name, L"marker"), 1) << Ansi(trash);
    }
    // Through the operation action, options read with blanks removed.
    tree.File(name + L"\\again", "x");
    EXPECT_TRUE(Operation(tree.A(name), "", "delete", " Undo + Confirm "));
    EXPECT_FALSE(PathExists(tree[name]));
    EXPECT_GE(dialogs_->answered(), 1);  // Confirm asked
    if (!trash.empty()) {
        EXPECT_EQ(TakeFromTrash(trash, name, L"again"), 1);
    }
    EXPECT_TRUE(SubroutineRan());
    EXPECT_EQ(LastError(), "none");
}

TEST_F(FolderOperationTest, CopyReproducesTheTreeInAMissingDestination) {
    TempTree tree("copy");
    Fill(tree, L"src");
    const auto before = Listing(tree[L"src"]);
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"new\\dst"), "Copy", ""));
    EXPECT_TRUE(SubroutineRan());
    EXPECT_EQ(host_->Vars().Get("[done]"), "yes");
    EXPECT_EQ(Listing(tree[L"new\\dst"]), before);
    EXPECT_EQ(Listing(tree[L"src"]), before);
    // A source that holds one folder keeps that level in the copy.
    tree.File(L"single\\only\\f", "x");
    EXPECT_TRUE(Operation(tree.A(L"single"), tree.A(L"single copy"), "COPY", "Progress"));
    EXPECT_EQ(ReadAll(tree[L"single copy\\only\\f"]), "x");
    // Again onto itself without Confirm: nothing is asked.
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"new\\dst"), "copy", ""));
    EXPECT_EQ(dialogs_->answered(), 0);
    EXPECT_EQ(LastError(), "none");
}

TEST_F(FolderOperationTest, CopyFilesOnlyLeavesTheFoldersOut) {
    TempTree tree("filesonly");
    Fill(tree, L"src");
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"dst"), "Copy", "FilesOnly"));
    EXPECT_EQ(Names(tree[L"dst"]), (std::vector<std::wstring>{L"hidden.bin", L"top.txt"}));
    EXPECT_EQ(LastError(), "none");
}

TEST_F(FolderOperationTest, MoveEmptiesTheSourceIntoAMissingDestination) {
    TempTree tree("move");
    Fill(tree, L"src");
    const auto before = Listing(tree[L"src"]);
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"a\\b\\dst"), "Move", ""));
    EXPECT_EQ(Listing(tree[L"a\\b\\dst"]), before);
    EXPECT_TRUE(PathExists(tree[L"src"]));
    EXPECT_TRUE(Names(tree[L"src"]).empty());
    EXPECT_EQ(LastError(), "none");

    Fill(tree, L"src2");
    EXPECT_TRUE(Operation(tree.A(L"src2"), tree.A(L"dst2"), "move", "FilesOnly"));
    EXPECT_EQ(Names(tree[L"dst2"]), (std::vector<std::wstring>{L"hidden.bin", L"top.txt"}));
    EXPECT_EQ(Names(tree[L"src2"]),
              (std::vector<std::wstring>{L"a b", L"empty", L"sub", L"Папка", L"日本語"}));
    EXPECT_TRUE(SubroutineRan());
    EXPECT_EQ(LastError(), "none");
}

TEST_F(FolderOperationTest, DriveRootsAreFoldersLikeAnyOther) {
    // A drive whose root is a scratch folder, as a USB stick's would be.
    TempTree tree("root");
    tree.Folder(L"stick");
    TempDrive drive(tree[L"stick"]);
    if (drive.letter() == 0) {
        std::printf(
            "No drive can be made here: the native tests of the join rules carry "
            "drive roots.\n");
        return;
    }
    Fill(tree, L"src");
    const auto before = Listing(tree[L"src"]);
    EXPECT_TRUE(Operation(tree.A(L"src"), drive.root(), "Copy", ""));
    EXPECT_TRUE(SubroutineRan());
    EXPECT_EQ(LastError(), "none");
    EXPECT_EQ(Listing(tree[L"stick"]), before);

    // The root's size, written with and without its delimiter: "X:" is the
    // root, not the drive's current folder (a subfolder here).
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((drive.root() + "a b").c_str()));
    const std::string letter = drive.root().substr(0, 2);
    for (const std::string& root : {letter, drive.root(), drive.root() + "\\"}) {
        host_->Vars().Set("[size]", "old");
        EXPECT_TRUE(host_->ExecAction(kFolderSize, {root, "[size]"}));
        EXPECT_EQ(host_->Vars().Get("[size]"), std::to_string(3 + 5 + 4 + 8 + 3 + 1 + 1)) << root;
    }
    SetCurrentDirectoryW(previous);

    // Out of the root, and files only back into it.
    EXPECT_TRUE(Operation(drive.root(), tree.A(L"back"), "Move", ""));
    EXPECT_EQ(LastError(), "none");
    EXPECT_EQ(Listing(tree[L"back"]), before);
    EXPECT_TRUE(Names(tree[L"stick"]).empty());
    EXPECT_TRUE(Operation(tree.A(L"back"), drive.root(), "Move", "FilesOnly"));
    EXPECT_EQ(LastError(), "none");
    EXPECT_EQ(Names(tree[L"stick"]), (std::vector<std::wstring>{L"hidden.bin", L"top.txt"}));
    EXPECT_TRUE(Operation(tree.A(L"back"), drive.root(), "Copy", "FilesOnly"));
    EXPECT_EQ(LastError(), "none");
}

TEST_F(FolderOperationTest, TextsLongerThanTheSystemTakesAreRefusedUntouched) {
    // 40,000 characters: past the 32,767 of the extended form, which Wine
    // would read past and Windows refuse. Refused like a missing folder.
    TempTree tree("toolong");
    tree.File(L"src\\f", "x");
    const std::string tooLong = tree.rootA() + "\\" + std::string(40000, 'n');
    for (const char* operation : {"Copy", "Move"}) {
        host_->Vars().Set("[LastError]", "none");
        EXPECT_FALSE(Operation(tooLong, tree.A(L"dst"), operation, "")) << operation;
        EXPECT_EQ(LastError(), kCopyFailed) << operation;
        EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty()) << operation;
        // A destination that cannot be made fails the operation.
        host_->Vars().Set("[LastError]", "none");
        EXPECT_TRUE(Operation(tree.A(L"src"), tooLong, operation, "")) << operation;
        EXPECT_EQ(LastError(), kCopyFailed) << operation;
        EXPECT_TRUE(SubroutineRan()) << operation;
    }
    host_->Vars().Set("[LastError]", "none");
    EXPECT_FALSE(Operation(tooLong, "", "Delete", ""));
    EXPECT_EQ(LastError(), kDeleteFailed);
    host_->Vars().Set("[LastError]", "none");
    EXPECT_FALSE(Delete(tooLong, "", ""));
    EXPECT_EQ(LastError(), kDeleteFailed);
    EXPECT_EQ(Names(tree.root()), std::vector<std::wstring>{L"src"});
    EXPECT_EQ(Names(tree[L"src"]), std::vector<std::wstring>{L"f"});
}

TEST_F(FolderOperationTest, ShortfallsAreReportedAndTheSubroutineStillRuns) {
    TempTree tree("short");
    tree.File(L"src\\free", "free");
    tree.File(L"src\\locked", "locked");
    // Held open unshared: the shell skips it and still reports success.
    HANDLE held = CreateFileW(tree[L"src\\locked"].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"dst"), "Copy", ""));
    EXPECT_EQ(LastError(), kCopyFailed);
    EXPECT_TRUE(SubroutineRan());
    host_->Vars().Set("[LastError]", "none");
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"mv"), "Move", ""));
    EXPECT_EQ(LastError(), kCopyFailed);
    CloseHandle(held);
    EXPECT_EQ(ReadAll(tree[L"src\\locked"]), "locked");

    // Into the source itself: refused before anything is touched.
    host_->Vars().Set("[LastError]", "none");
    const auto before = Listing(tree[L"src"]);
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"src\\inner"), "Copy", ""));
    EXPECT_EQ(LastError(), kCopyFailed);
    EXPECT_EQ(Listing(tree[L"src"]), before);
    EXPECT_TRUE(SubroutineRan());
}

TEST_F(FolderOperationTest, EntriesTheShellSkipsAreReported) {
    // Wine's shell passes over folders whose names start with "..": a copy
    // leaves them out and a delete stops at them, and both report success.
    TempTree tree("dotdot");
    tree.File(L"src\\plain", "x");
    tree.File(L"src\\a\\..dots\\deeper\\y", "deep");
    const bool copied = Operation(tree.A(L"src"), tree.A(L"dst"), "Copy", "");
    EXPECT_TRUE(copied);
    if (ReadAll(tree[L"dst\\a\\..dots\\deeper\\y"]) == "deep") {
        std::printf("This shell copies \"..dots\": nothing to report.\n");
        EXPECT_EQ(LastError(), "none");
    } else {
        EXPECT_EQ(LastError(), kCopyFailed);
    }
    host_->Vars().Set("[LastError]", "none");
    const bool deleted = Delete(tree.A(L"src"), "", "");
    EXPECT_EQ(deleted, !PathExists(tree[L"src"]));
    EXPECT_EQ(LastError(), deleted ? "none" : kDeleteFailed);
    if (!deleted) std::printf("This shell cannot delete \"..dots\": reported.\n");
}

TEST_F(FolderOperationTest, MissingSourcesAndUnknownWords) {
    TempTree tree("words");
    tree.File(L"src\\f", "x");
    EXPECT_FALSE(Operation(tree.A(L"missing"), tree.A(L"dst"), "Copy", ""));
    EXPECT_EQ(LastError(), kCopyFailed);
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());
    host_->Vars().Set("[LastError]", "none");
    EXPECT_FALSE(Operation(tree.A(L"missing"), "", "Delete", ""));
    EXPECT_EQ(LastError(), kDeleteFailed);
    host_->Vars().Set("[LastError]", "none");
    EXPECT_FALSE(Operation(tree.A(L"missing"), "", "Rename", ""));
    EXPECT_EQ(LastError(), "none");

    // Nothing to do, yet the subroutine runs.
    EXPECT_TRUE(Operation(tree.A(L"src"), "", "Copy", ""));
    EXPECT_TRUE(SubroutineRan());
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"dst"), "Rename", ""));
    EXPECT_TRUE(SubroutineRan());
    EXPECT_TRUE(Operation(tree.A(L"src"), tree.A(L"dst"), "Copy", "", "NoSuchSubroutine"));
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());
    EXPECT_EQ(LastError(), "none");
    EXPECT_EQ(ReadAll(tree[L"dst\\f"]), "x");
    EXPECT_EQ(Names(tree.root()), (std::vector<std::wstring>{L"dst", L"src"}));
}

}  // namespace
}  // namespace kvtest
