// Opening files with their program, shortcuts and special folders through
// the exports, against the real shell.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>

#include "file_tree.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

constexpr int32_t kOpenWithDefault = 45;
constexpr int32_t kCreateLink = 46;
constexpr int32_t kGetFolderPath = 56;

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

bool WaitForFile(const std::wstring& path) {
    for (int i = 0; i < 200; ++i) {
        if (PathExists(path)) return true;
        Sleep(50);
    }
    return false;
}

class ShellActionsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
    }
    std::string LastError() { return host_->Vars().Get("[LastError]"); }
};

// A file type whose "open" and "edit" run the marker program. The shell
// reads associations from HKEY_CLASSES_ROOT only.
class TestFileType {
public:
    TestFileType() : extension_(".kv" + std::to_string(GetCurrentProcessId())) {
        type_ = "Kelvane.Test" + extension_;
        const std::string exe = ExeFolder() + "\\kelvane_marker.exe";
        Set(extension_, type_);
        for (const char* verb : {"open", "edit"}) {
            Set(type_ + "\\shell\\" + verb + "\\command", "\"" + exe + "\" " + verb + " \"%1\"");
        }
    }
    ~TestFileType() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, type_.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, type_.c_str());
    }
    const std::string& extension() const { return extension_; }

private:
    static void Set(const std::string& key, const std::string& value) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &handle, nullptr),
                  ERROR_SUCCESS)
            << key;
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }
    std::string extension_, type_;
};

TEST_F(ShellActionsTest, OpenWithDefaultRunsTheTypesVerb) {
    TempTree tree("open");
    TestFileType type;
    const std::wstring ext(type.extension().begin(), type.extension().end());
    tree.File(L"doc" + ext, "text");
    tree.File(L"other" + ext, "text");
    tree.File(L"third" + ext, "text");
    EXPECT_TRUE(host_->ExecAction(kOpenWithDefault, {tree.A(L"doc" + ext), ""}));
    ASSERT_TRUE(WaitForFile(tree[L"doc" + ext + L".open"]));
    EXPECT_EQ(ReadAll(tree[L"doc" + ext + L".open"]), "open");
    EXPECT_TRUE(host_->ExecAction(kOpenWithDefault, {tree.A(L"other" + ext), "EDIT"}));
    ASSERT_TRUE(WaitForFile(tree[L"other" + ext + L".edit"]));
    EXPECT_TRUE(host_->ExecAction(kOpenWithDefault, {tree.A(L"third" + ext), "Print"}));
    ASSERT_TRUE(WaitForFile(tree[L"third" + ext + L".open"]));
    EXPECT_FALSE(PathExists(tree[L"doc" + ext + L".edit"]));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

TEST_F(ShellActionsTest, OpenWithDefaultReportsMissingFilesAndShellErrors) {
    TempTree tree("noopen");
    for (const std::string& path : {tree.A(L"missing.txt"), tree.rootA(), std::string()}) {
        host_->Vars().Set("[LastError]", "");
        EXPECT_FALSE(host_->ExecAction(kOpenWithDefault, {path, ""})) << path;
        EXPECT_EQ(LastError(), "File not found!") << path;
    }
    tree.File(L"unknown.kvnotype", "x");
    EXPECT_FALSE(host_->ExecAction(kOpenWithDefault, {tree.A(L"unknown.kvnotype"), ""}));
    EXPECT_EQ(LastError(), std::to_string(SE_ERR_NOASSOC));
}

struct Shortcut {
    std::string path, arguments, folder, description;
    int show = -1;  // from the file header: the shell object loses it on load
};

Shortcut ReadShortcut(const std::wstring& file) {
    Shortcut read;
    const std::string bytes = ReadAll(file);
    if (bytes.size() >= 0x40) std::memcpy(&read.show, bytes.data() + 0x3C, 4);
    const HRESULT com = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
        if (persist != nullptr && SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            char text[MAX_PATH] = {};
            link->GetPath(text, MAX_PATH, nullptr, 0);
            read.path = text;
            link->GetArguments(text, MAX_PATH);
            read.arguments = text;
            link->GetWorkingDirectory(text, MAX_PATH);
            read.folder = text;
            link->GetDescription(text, MAX_PATH);
            read.description = text;
        }
        if (persist != nullptr) persist->Release();
        link->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return read;
}

TEST_F(ShellActionsTest, CreateLinkWritesEveryField) {
    TempTree tree("link");
    tree.File(L"target.exe", "MZ");
    const std::string target = tree.A(L"target.exe");
    EXPECT_TRUE(host_->ExecAction(kCreateLink, {target, tree.A(L"max"), "A description",
                                                "-a \"b c\"", tree.rootA(), "maximized"}));
    const Shortcut max = ReadShortcut(tree[L"max.lnk"]);
    EXPECT_EQ(max.path, target);
    EXPECT_EQ(max.arguments, "-a \"b c\"");
    EXPECT_EQ(max.folder, tree.rootA());
    EXPECT_EQ(max.description, "A description");
    EXPECT_EQ(max.show, SW_SHOWMAXIMIZED);

    EXPECT_TRUE(
        host_->ExecAction(kCreateLink, {target, tree.A(L"min.txt"), "", "", "", "MINIMIZED"}));
    EXPECT_EQ(ReadShortcut(tree[L"min.txt.lnk"]).show, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(host_->ExecAction(kCreateLink, {target, tree.A(L"upper.LNK"), "", "", "", "Hide"}));
    EXPECT_EQ(ReadShortcut(tree[L"upper.LNK"]).show, SW_SHOWNORMAL);
    EXPECT_TRUE(host_->ExecAction(kCreateLink, {target, tree.A(L"plain.lnk"), "", "", "", ""}));
    EXPECT_EQ(ReadShortcut(tree[L"plain.lnk"]).show, SW_SHOWNORMAL);
    EXPECT_EQ(Names(tree.root()),
              (std::vector<std::wstring>{L"max.lnk", L"min.txt.lnk", L"plain.lnk", L"target.exe",
                                         L"upper.LNK"}));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
    // COM stays as the host had it: not initialised before, not after.
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
    // A host thread in the multithreaded apartment keeps its COM.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_TRUE(host_->ExecAction(kCreateLink, {target, tree.A(L"mta"), "", "", "", ""}));
    EXPECT_EQ(ReadShortcut(tree[L"mta.lnk"]).path, target);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}

TEST_F(ShellActionsTest, CreateLinkReportsWhatItCouldNotSave) {
    TempTree tree("nolink");
    tree.File(L"target.exe", "MZ");
    const std::string target = tree.A(L"target.exe");
    const auto expectFailure = [&](const std::vector<std::string>& params, const std::string& name,
                                   int line) {
        host_->Vars().Set("[LastError]", "");
        EXPECT_FALSE(host_->ExecAction(kCreateLink, params)) << "line " << line;
        const std::string prefix = "Cannot create shortcut \"" + name + "\". ";
        EXPECT_EQ(LastError().substr(0, prefix.size()), prefix) << "line " << line;
        EXPECT_GT(LastError().size(), prefix.size()) << "line " << line;
    };
    const std::string inMissing = tree.A(L"no such folder\\link");
    expectFailure({target, inMissing, "", "", "", ""}, inMissing + ".lnk", __LINE__);
    expectFailure({target, "", "", "", "", ""}, "", __LINE__);
    expectFailure({"", tree.A(L"empty"), "", "", "", ""}, tree.A(L"empty.lnk"), __LINE__);
    EXPECT_EQ(Names(tree.root()), std::vector<std::wstring>{L"target.exe"});
}

TEST_F(ShellActionsTest, GetFolderPathWritesTheSystemsPaths) {
    const auto path = [this](const std::string& name) {
        host_->Vars().Set("[p]", "old");
        EXPECT_TRUE(host_->ExecAction(kGetFolderPath, {name, "[p]"}));
        return host_->Vars().Get("[p]");
    };
    const std::pair<const char*, int> folders[] = {
        {"DESKTOP", CSIDL_DESKTOP}, {"FAVORITES", CSIDL_FAVORITES}, {"STARTUP", CSIDL_STARTUP},
        {"RECENT", CSIDL_RECENT},   {"PERSONAL", CSIDL_PERSONAL},   {"STARTMENU", CSIDL_STARTMENU},
        {"COOKIES", CSIDL_COOKIES}, {"HISTORY", CSIDL_HISTORY},     {"APPDATA", CSIDL_APPDATA},
        {"SENDTO", CSIDL_SENDTO},
    };
    for (const auto& [name, number] : folders) {
        char expected[MAX_PATH] = {};
        ASSERT_EQ(SHGetFolderPathA(nullptr, number, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK)
            << name;
        const std::string got = path(name);
        EXPECT_EQ(got, expected) << name;
        EXPECT_NE(got.back(), '\\') << name;
        EXPECT_EQ(got.substr(1, 2), ":\\") << name;
    }
    EXPECT_EQ(path("desktop"), path("Desktop"));
    EXPECT_EQ(path("INTERNET"), "");
    EXPECT_EQ(path("WINDOWS"), "");
    EXPECT_EQ(path(" DESKTOP"), "");
    host_->calls().clear();
    EXPECT_TRUE(host_->ExecAction(kGetFolderPath, {"", "[p]"}));
    EXPECT_TRUE(host_->ExecAction(kGetFolderPath, {"DESKTOP", ""}));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

}  // namespace
}  // namespace kvtest
