// The test host's hand-written thunks, checked against hand-written
// Borland functions before they are trusted to judge the DLL.
#include <gtest/gtest.h>

#include "borland_thunks.h"
#include "test_host.h"

extern "C" {
extern uint32_t kvh_probe_args[6];
void kvh_probe_six();
void kvh_probe_no_pop();
void kvh_probe_clobber();
}

namespace {

const void* Fn(void (*f)()) { return reinterpret_cast<const void*>(f); }

TEST(BorlandCall, RegistersThenStackLeftToRight) {
    const uint32_t args[6] = {11, 22, 33, 44, 55, 66};
    int32_t status[2] = {-1, -1};
    const uint32_t eax = kvh_borland_call(Fn(kvh_probe_six), args, 6, status);
    EXPECT_EQ(eax, 0x7A7A7A01u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(kvh_probe_args[i], args[i]) << i;
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 0);
}

TEST(BorlandCall, NoticesBrokenCallees) {
    const uint32_t args[5] = {1, 2, 3, 4, 5};
    int32_t status[2] = {0, 0};
    kvh_borland_call(Fn(kvh_probe_no_pop), args, 5, status);
    EXPECT_EQ(status[0], 8);  // two stacked arguments left behind
    kvh_borland_call(Fn(kvh_probe_clobber), args, 3, status);
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 1);
}

TEST(CallbackThunks, GatherArgumentsInOrderAndRemoveTheirOwn) {
    kvhost::TestHost host;
    const uint8_t codes[3] = {3, 4, 6};
    const uint32_t args[6] = {
        23, static_cast<uint32_t>(reinterpret_cast<uintptr_t>("qvName")),
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>("a hint")),
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(codes)), 2, 3};
    int32_t status[2] = {-1, -1};
    kvh_borland_call(Fn(kvh_cb_add_action), args, 6, status);
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
    kvh_borland_call(Fn(kvh_cb_set_var), setVar, 2, status);
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(host.Vars().Get("[V]"), "value");

    char* slot = kvhost::GlobalText("current");
    host.SetAnswer(14, "[chosen]", true);
    const uint32_t ask[3] = {14, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&slot)), 0};
    const uint32_t eax = kvh_borland_call(Fn(kvh_cb_interface_access), ask, 2, status);
    EXPECT_EQ(eax & 0xFF, 1u);
    EXPECT_NE(eax >> 8, 0u);  // only AL is the Boolean
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(slot, "[chosen]");
    GlobalFree(slot);
    EXPECT_EQ(host.CallsOf("InterfaceAccess"), std::vector<std::string>{"14|current"});
}

}  // namespace
