// The test host's hand-written thunks, checked against hand-written
// Borland functions before they are trusted to judge the DLL.
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "borland_thunks.h"
#include "test_host.h"

extern "C" {
extern uint32_t kvh_probe_args[6];
void kvh_probe_six();
void kvh_probe_no_pop();
void kvh_probe_clobber();
void kvh_probe_entry_esp();
}

namespace {

const void* Fn(void (*f)()) { return reinterpret_cast<const void*>(f); }

TEST(BorlandCall, RegistersThenStackLeftToRight) {
    const uint32_t args[6] = {11, 22, 33, 44, 55, 66};
    int32_t status[2] = {-1, -1};
    const uint32_t eax = kvh_borland_call(Fn(kvh_probe_six), args, 6, status, 0);
    EXPECT_EQ(eax, 0x7A7A7A01u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(kvh_probe_args[i], args[i]) << i;
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 0);
}

TEST(BorlandCall, NoticesBrokenCallees) {
    const uint32_t args[5] = {1, 2, 3, 4, 5};
    int32_t status[2] = {0, 0};
    kvh_borland_call(Fn(kvh_probe_no_pop), args, 5, status, 0);
    EXPECT_EQ(status[0], 8);  // two stacked arguments left behind
    kvh_borland_call(Fn(kvh_probe_clobber), args, 3, status, 0);
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 1);
}

TEST(BorlandCall, SkewReachesEveryStackAlignment) {
    const uint32_t args[3] = {0, 0, 0};
    int32_t status[2] = {0, 0};
    std::vector<uint32_t> seen;
    for (uint32_t skew : {0u, 4u, 8u, 12u}) {
        seen.push_back(kvh_borland_call(Fn(kvh_probe_entry_esp), args, 0, status, skew) & 15u);
        EXPECT_EQ(status[0], 0);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<uint32_t>{0, 4, 8, 12}));
}

TEST(CallbackThunks, GatherArgumentsInOrderAndRemoveTheirOwn) {
    kvhost::TestHost host;
    const uint8_t codes[3] = {3, 4, 6};
    const uint32_t args[6] = {23,
                              static_cast<uint32_t>(reinterpret_cast<uintptr_t>("qvName")),
                              static_cast<uint32_t>(reinterpret_cast<uintptr_t>("a hint")),
                              static_cast<uint32_t>(reinterpret_cast<uintptr_t>(codes)),
                              2,
                              3};
    int32_t status[2] = {-1, -1};
    kvh_borland_call(Fn(kvh_cb_add_action), args, 6, status, 0);
    EXPECT_EQ(status[0], 0);  // the thunk removed its three stacked values
    EXPECT_EQ(status[1], 0);
    ASSERT_EQ(host.registrations().size(), 1u);
    const kvhost::Registration& r = host.registrations()[0];
    EXPECT_EQ(r.id, 23);
    EXPECT_EQ(r.name, "qvName");
    EXPECT_EQ(r.hint, "a hint");
    EXPECT_EQ(r.codes, (std::vector<uint8_t>{3, 4, 6}));
    EXPECT_EQ(r.highIndex, 2);
    EXPECT_EQ(r.numParams, 3);

    const uint32_t setVar[3] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>("[v]")),
                                static_cast<uint32_t>(reinterpret_cast<uintptr_t>("value")), 0};
    kvh_borland_call(Fn(kvh_cb_set_var), setVar, 2, status, 0);
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(host.Vars().Get("[V]"), "value");

    char* slot = kvhost::GlobalText("current");
    host.SetAnswer(14, "[chosen]", true);
    const uint32_t ask[3] = {14, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&slot)), 0};
    const uint32_t eax = kvh_borland_call(Fn(kvh_cb_interface_access), ask, 2, status, 0);
    EXPECT_EQ(eax & 0xFF, 1u);
    EXPECT_NE(eax >> 8, 0u);  // only AL is the Boolean
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(slot, "[chosen]");
    GlobalFree(slot);
    EXPECT_EQ(host.CallsOf("InterfaceAccess"), std::vector<std::string>{"14|current"});
}

}  // namespace

namespace {

TEST(CallbackThunks, StreamAccessServesEmbeddedFiles) {
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "kv_embedded.bin";
    const std::string content("pic\0ture", 8);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
    CloseHandle(file);

    kvhost::TestHost host;
    host.SetFilesFolder(folder);
    IStream* stream = nullptr;
    int32_t status[2] = {0, 0};
    uint32_t args[3] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>("kv_embedded.bin")),
                        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&stream)), 0};
    EXPECT_EQ(kvh_borland_call(Fn(kvh_cb_stream_access), args, 2, status, 0) & 0xFF, 1u);
    EXPECT_EQ(status[0], 0);
    ASSERT_NE(stream, nullptr);
    char buffer[16] = {};
    ULONG read = 0;
    ASSERT_TRUE(SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)));
    EXPECT_EQ(std::string(buffer, read), content);
    stream->Release();

    IStream* none = nullptr;
    args[0] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>("missing.bin"));
    args[1] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&none));
    EXPECT_EQ(kvh_borland_call(Fn(kvh_cb_stream_access), args, 2, status, 0) & 0xFF, 0u);
    EXPECT_EQ(none, nullptr);
    DeleteFileA(path.c_str());
}

TEST(TestHostScripts, HostCommandsSetUpThePublication) {
    kvhost::TestHost host;
    std::string error;
    ASSERT_TRUE(
        host.LoadScript("HostAnswer \"14\" \"[picked]\"\n"
                        "HostAnswer \"13\" \"x\" \"False\"\n"
                        "HostObject \"Button1\" \"4660\"\n"
                        "HostFiles \"C:\\\\files\"\n",
                        error))
        << error;
    ASSERT_TRUE(host.RunScript().Passed());
    char* slot = nullptr;
    const uint32_t request7[3] = {7, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&slot)), 0};
    slot = kvhost::GlobalText("button1");
    int32_t status[2] = {0, 0};
    EXPECT_EQ(kvh_borland_call(Fn(kvh_cb_interface_access), request7, 2, status, 0) & 0xFF, 1u);
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(slot, "4660");
    GlobalFree(slot);
    slot = nullptr;
    const uint32_t request13[3] = {13, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&slot)),
                                   0};
    EXPECT_EQ(kvh_borland_call(Fn(kvh_cb_interface_access), request13, 2, status, 0) & 0xFF, 0u);
    if (slot) GlobalFree(slot);
}

}  // namespace
