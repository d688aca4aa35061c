// The exports seen from a host that follows Borland's rules literally.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dispatch.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TEST_F(HostTest, InitReplacesTheHostsTextsAndKeepsTheStackBalanced) {
    host_->InitPlugIn();
    ExpectCleanCall(__LINE__);
    EXPECT_EQ(host_->pluginName, "Kelvane 1.0b");
    EXPECT_EQ(host_->pluginHint, "Some simple functions.");
    EXPECT_FALSE(host_->pluginAuthor.empty());
    EXPECT_NE(host_->pluginAuthor, "host author");
}

// A text of the version resource's U.S. English, Unicode string table.
std::wstring VersionText(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || value == nullptr)
        return L"(none)";
    return static_cast<const wchar_t*>(value);
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST_F(HostTest, VersionResourceNamesTheReleaseAndTheAuthor) {
    // What Windows Explorer shows under Properties > Details.
    const std::wstring dll = Wide(PluginPath());
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &handle);
    ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(KV_VERSION_MINOR, KV_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, KV_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);  // no debug or pre-release build

    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409);  // U.S. English
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);    // Unicode

    host_->InitPlugIn();
    const std::wstring author = Wide(host_->pluginAuthor);
    EXPECT_EQ(VersionText(info, L"CompanyName"), author);
    EXPECT_EQ(VersionText(info, L"ProductName"), L"Kelvane");
    EXPECT_EQ(VersionText(info, L"FileVersion"), Wide(KV_VERSION));
    EXPECT_EQ(VersionText(info, L"ProductVersion"), Wide(KV_VERSION));
    EXPECT_EQ(VersionText(info, L"OriginalFilename"), L"Kelvane.dll");
    EXPECT_EQ(VersionText(info, L"InternalName"), L"Kelvane");
    EXPECT_EQ(VersionText(info, L"FileDescription"), L"Kelvane plug-in for NeoBook");
    const std::wstring copyright = VersionText(info, L"LegalCopyright");
    EXPECT_EQ(copyright.rfind(L"Copyright \u00A9 2", 0), 0u) << "LegalCopyright";
    EXPECT_GT(copyright.size(), author.size());
    EXPECT_EQ(copyright.substr(copyright.size() - author.size()), author) << "LegalCopyright";
}

TEST(PluginFile, LoadsAloneFromAFolderOfItsOwn) {
    // A compiled publication unpacks the DLL into a temporary folder.
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder =
        std::string(temp) + "kv_alone_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string copy = folder + "\\Kelvane.dll";
    ASSERT_TRUE(CopyFileA(PluginPath().c_str(), copy.c_str(), FALSE));
    {
        kvhost::TestHost host;
        std::string error;
        ASSERT_TRUE(host.Load(copy, error)) << error;
        host.StartUp();
        EXPECT_EQ(host.registrations().size(), 69u);
    }
    EXPECT_TRUE(DeleteFileA(copy.c_str()));  // unloaded with the host
    RemoveDirectoryA(folder.c_str());
}

TEST_F(HostTest, EveryExportRemovesExactlyItsStackArguments) {
    Start();
    host_->SendMessage(1);
    ExpectCleanCall(__LINE__);
    host_->SendMessage(12345);
    ExpectCleanCall(__LINE__);
    host_->ExecAction(42, {"x"});
    ExpectCleanCall(__LINE__);
    std::vector<std::string> params = {"a"};
    {
        // The page's dialog opens; cancelling it keeps the text.
        kvhost::DialogDriver driver;
        driver.Then([](HWND dialog) { kvhost::PressCancel(dialog); });
        EXPECT_FALSE(host_->EditAction(42, params));
        ExpectCleanCall(__LINE__);
        EXPECT_FALSE(driver.timedOut());
    }
    EXPECT_EQ(params[0], "a");
    host_->RegisterScriptProcessor();
    ExpectCleanCall(__LINE__);
    host_->RegisterInterfaceAccess();
    ExpectCleanCall(__LINE__);
    host_->RegisterStreamAccess();
    ExpectCleanCall(__LINE__);
}

TEST_F(HostTest, ExportsWorkAtEveryStackAlignment) {
    // The host promises only 4-byte alignment.
    Start(":Sub\nReturn\n");
    kvhost::DialogDriver driver;
    for (uint32_t skew : {0u, 4u, 8u, 12u}) {
        host_->stackSkew(skew);
        // A properties dialog, OK pressed, at this alignment too.
        driver.Then([](HWND dialog) { kvhost::PressOK(dialog); });
        std::vector<std::string> params = {"Sub"};
        EXPECT_TRUE(host_->EditAction(42, params));
        ExpectCleanCall(__LINE__);
        host_->InitPlugIn();
        ExpectCleanCall(__LINE__);
        host_->RegisterPlugIn();
        ExpectCleanCall(__LINE__);
        EXPECT_TRUE(host_->ExecAction(42, {"Sub"}));
        ExpectCleanCall(__LINE__);
        host_->SendMessage(5);
        host_->SendMessage(1);
        ExpectCleanCall(__LINE__);
        EXPECT_EQ(host_->registrations().size(), 69u);
    }
    EXPECT_EQ(host_->CallsOf("ScriptProcessor").size(), 4u);
    EXPECT_FALSE(driver.timedOut());
}

TEST_F(HostTest, RegistersTheWholeCatalogueInOrder) {
    host_->InitPlugIn();
    host_->RegisterPlugIn();
    ExpectCleanCall(__LINE__);  // 69 callee-popped HostAddAction calls inside
    const auto& regs = host_->registrations();
    ASSERT_EQ(regs.size(), 69u);

    const kvhost::Registration& first = regs.front();
    EXPECT_EQ(first.id, 0);
    EXPECT_EQ(first.name, "Mouse and keyboard");
    EXPECT_EQ(first.hint, "");
    EXPECT_EQ(first.codes, std::vector<uint8_t>{0});
    EXPECT_EQ(first.highIndex, 0);
    EXPECT_EQ(first.numParams, 0);

    const kvhost::Registration& last = regs.back();
    EXPECT_EQ(last.id, 57);
    EXPECT_EQ(last.name, "qvFolderOperation");
    EXPECT_EQ(last.hint, "Copy / move / delete a folder.       ");
    EXPECT_EQ(last.codes, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(last.highIndex, 4);
    EXPECT_EQ(last.numParams, 5);

    int categories = 0;
    std::set<int32_t> ids;
    for (size_t i = 0; i < regs.size(); ++i) {
        const kvhost::Registration& r = regs[i];
        EXPECT_EQ(r.highIndex, r.numParams > 0 ? r.numParams - 1 : 0) << r.name;
        EXPECT_EQ(r.codes.size(), size_t(r.highIndex + 1)) << r.name;
        if (r.id == 0) {
            ++categories;
            continue;
        }
        ids.insert(r.id);
        if (r.id == 55) {
            EXPECT_EQ(regs[i - 1].name, "qvRefreshWindows");
            EXPECT_EQ(regs[i + 1].name, "The main window");
        }
    }
    EXPECT_EQ(categories, 12);
    EXPECT_EQ(ids.size(), 57u);

    const kvhost::Registration* pos = host_->FindAction("qvSetWindowPos");
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->id, 23);
    EXPECT_EQ(pos->highIndex, 6);
    EXPECT_EQ(pos->numParams, 7);
    EXPECT_EQ(pos->codes, (std::vector<uint8_t>{3, 4, 4, 4, 4, 1, 1}));
    const kvhost::Registration* del = host_->FindAction("qvDelMouseMonitor");
    ASSERT_NE(del, nullptr);
    EXPECT_EQ(del->highIndex, 0);
    EXPECT_EQ(del->numParams, 0);
    EXPECT_EQ(del->codes, std::vector<uint8_t>{0});
    EXPECT_EQ(host_->FindAction("qvSetCustomWindowMask")->codes, (std::vector<uint8_t>{10, 8, 1}));
    EXPECT_EQ(host_->FindAction("qvFindWindow")->hint,
              "Find a window by its title and the name of the class. Return:handle window, or "
              "\"0\" if the window  not found.");
}

TEST_F(HostTest, RussianTextsArriveAsWindows1251Bytes) {
    host_->InitPlugIn();
    host_->RegisterPlugIn();
    const kvhost::Registration* get = host_->FindAction("qvGetWindowHandle");
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(Hex(get->hint),
              Hex("Get a handle (HWND) of the window title.") + "EEE2EAF32E");  // "овку."
    bool found = false;
    for (const kvhost::Registration& r : host_->registrations())
        if (r.id == 0 && Hex(r.name) == "D0E0E7EDEEE5") found = true;  // "Разное"
    EXPECT_TRUE(found);
    // And the system agrees that these bytes are those letters in code page 1251.
    wchar_t wide[8] = {};
    ASSERT_EQ(MultiByteToWideChar(1251, 0, "\xD0\xE0\xE7\xED\xEE\xE5", 6, wide, 8), 6);
    EXPECT_EQ(std::wstring(wide), L"\u0420\u0430\u0437\u043D\u043E\u0435");
}

TEST_F(HostTest, NumbersOutsideTheCatalogueDoNothing) {
    Start();
    for (int32_t number : {0, 58, -1, INT32_MIN, 100000}) {
        EXPECT_FALSE(host_->ExecAction(number, {"a", "b", "c"})) << number;
        ExpectCleanCall(__LINE__);
        EXPECT_EQ(host_->lastEax() & 0xFF, 0u);
    }
    EXPECT_TRUE(host_->calls().empty());
}

TEST_F(HostTest, ActionsNotYetBuiltReturnFalseQuietly) {
    Start();
    // The plug-in's own dispatch table says which numbers have a handler, so
    // this list follows every action as it is built.
    const kv::ActionTable& built = kv::PluginActions();
    for (const kvhost::Registration& r : host_->registrations()) {
        ASSERT_GE(r.id, 0);
        ASSERT_LT(size_t(r.id), built.size()) << r.name;
        if (r.id == 0 || built[size_t(r.id)].run != nullptr) continue;
        std::vector<std::string> params(size_t(r.numParams), "");
        EXPECT_FALSE(host_->ExecAction(r.id, params)) << r.name;
    }
    EXPECT_TRUE(host_->calls().empty());
}

TEST_F(HostTest, BooleanResultIsInAL) {
    Start(":Sub\nReturn\n");
    EXPECT_TRUE(host_->ExecAction(42, {"Sub"}));
    EXPECT_EQ(host_->lastEax() & 0xFF, 1u);
    EXPECT_FALSE(host_->ExecAction(58, {}));
    EXPECT_EQ(host_->lastEax() & 0xFF, 0u);
}

TEST_F(HostTest, MissingParameterArrayOrTextsDoNotCrash) {
    Start(":Sub\nReturn\n");
    EXPECT_TRUE(host_->ExecActionRaw(42, nullptr, 0));
    char* empty[1] = {nullptr};
    EXPECT_TRUE(host_->ExecActionRaw(42, empty, 0));
    host_->SendMessage(5);
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());
}

TEST_F(HostTest, ReadsOnlyItsOwnParametersAndNeverWritesThem) {
    // The array ends at a page the process may not touch and is itself
    // read-only: reading past the action's one parameter, or writing any
    // element, faults.
    Start(":Sub\nReturn\n");
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    auto* pages = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * info.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    char* name = kvhost::GlobalText("Sub");
    auto** array = reinterpret_cast<char**>(pages + info.dwPageSize - sizeof(char*));
    array[0] = name;
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages, info.dwPageSize, PAGE_READONLY, &old));
    ASSERT_TRUE(VirtualProtect(pages + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old));
    EXPECT_TRUE(host_->ExecActionRaw(42, array, 0));
    host_->SendMessage(5);
    EXPECT_EQ(host_->CallsOf("ScriptProcessor"), std::vector<std::string>{"GoSub \"Sub\""});
    VirtualFree(pages, 0, MEM_RELEASE);
    GlobalFree(name);
}

TEST_F(HostTest, ExportsBeforeRegistrationDoNotCrash) {
    // A host that skips nbRegisterPlugIn: nothing to call back, nothing done.
    EXPECT_TRUE(host_->ExecAction(42, {"Sub"}));
    host_->SendMessage(5);
    host_->SendMessage(1);
    // The about box needs nothing from the host; it is closed here.
    kvhost::DialogDriver driver;
    driver.Then([](HWND dialog) { kvhost::Click(dialog, IDOK); });
    host_->About();
    EXPECT_EQ(driver.opened().size(), 1u);
    EXPECT_FALSE(driver.timedOut());
    ExpectCleanCall(__LINE__);
    EXPECT_TRUE(host_->calls().empty());
}

}  // namespace
}  // namespace kvtest
