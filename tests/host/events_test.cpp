// Subroutine lines and the host's notices, seen from the host.
#include "host_fixture.h"

namespace kvtest {
namespace {

constexpr const char* kScript =
    "Exit\n"
    ":OnMove\n"
    "SetVar \"[moved]\" \"[moved]x\"\n"
    "Return\n"
    ":Other\n"
    "Return\n";

using Lines = std::vector<std::string>;

TEST_F(HostTest, MoveSizeNoticeRunsTheSubroutineOnlyWhileSwitchedOn) {
    Start(kScript);
    host_->SendMessage(5);  // nothing assigned yet
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());

    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    host_->SendMessage(5);
    host_->SendMessage(5);
    EXPECT_EQ(host_->CallsOf("ScriptProcessor"), (Lines{"GoSub \"OnMove\"", "GoSub \"OnMove\""}));
    EXPECT_EQ(host_->Vars().Get("[moved]"), "xx");

    host_->EndRun();
    host_->calls().clear();
    host_->SendMessage(5);
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());
}

TEST_F(HostTest, SubroutineNamesMatchIgnoringCaseAndKeepTheAuthorsSpelling) {
    Start(kScript);
    EXPECT_TRUE(host_->ExecAction(42, {"ONMOVE"}));
    host_->SendMessage(5);
    EXPECT_EQ(host_->CallsOf("ScriptProcessor"), Lines{"GoSub \"ONMOVE\""});
    EXPECT_EQ(host_->Vars().Get("[moved]"), "x");
}

TEST_F(HostTest, UnknownOrEmptyNameSwitchesTheNoticeOff) {
    Start(kScript);
    for (const char* name : {"NoSuchSub", "", "OnMov", "OnMove "}) {
        EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
        EXPECT_TRUE(host_->ExecAction(42, {name}));
        host_->calls().clear();
        host_->SendMessage(5);
        EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty()) << '"' << name << '"';
    }
}

TEST_F(HostTest, SubroutineListIsFetchedOnceWithAnEmptySlot) {
    Start(kScript);
    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    EXPECT_TRUE(host_->ExecAction(42, {"Other"}));
    EXPECT_TRUE(host_->ExecAction(42, {"Nothing"}));
    EXPECT_EQ(host_->CallsOf("InterfaceAccess"), Lines{"5|"});

    // Subroutines the host gains later are not seen.
    host_->SetAnswer(5, "OnMove\r\nOther\r\nLater");
    EXPECT_TRUE(host_->ExecAction(42, {"Later"}));
    host_->calls().clear();
    host_->SendMessage(5);
    EXPECT_TRUE(host_->CallsOf("ScriptProcessor").empty());
}

TEST_F(HostTest, EmptySubroutineListIsAskedForAgain) {
    Start(kScript);
    host_->SetAnswer(5, "");
    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    EXPECT_EQ(host_->CallsOf("InterfaceAccess"), (Lines{"5|", "5|"}));
    host_->ClearAnswer(5);
    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    host_->SendMessage(5);
    EXPECT_EQ(host_->CallsOf("ScriptProcessor"), Lines{"GoSub \"OnMove\""});
}

TEST_F(HostTest, WithoutInterfaceAccessNoSubroutineEverRuns) {
    kvhost::StartOptions options;
    options.registerInterfaceAccess = false;
    Start(kScript, options);
    EXPECT_TRUE(host_->ExecAction(42, {"OnMove"}));
    host_->SendMessage(5);
    EXPECT_TRUE(host_->calls().empty());
}

TEST_F(HostTest, SubroutineCanReassignTheNoticeWhileItRuns) {
    Start(
        "Exit\n"
        ":First\n"
        "SetVar \"[log]\" \"[log]1\"\n"
        "qvSetOnMoveSize \"Second\"\n"
        "Return\n"
        ":Second\n"
        "SetVar \"[log]\" \"[log]2\"\n"
        "Return\n");
    EXPECT_TRUE(host_->ExecAction(42, {"First"}));
    host_->SendMessage(5);
    host_->SendMessage(5);
    EXPECT_EQ(host_->Vars().Get("[log]"), "12");
}

TEST_F(HostTest, DemoScriptPasses) {
    Start(
        "SetVar \"[n]\" \"0\"\n"
        "qvSetOnMoveSize \"Count\"\n"
        "HostMessage \"5\"\n"
        "Expect \"[n]\" \"1\"\n"
        "Exit\n"
        ":Count\n"
        "SetVar \"[n]\" \"1\"\n"
        "Return\n");
    const kvhost::RunResult result = host_->RunScript();
    EXPECT_TRUE(result.Passed()) << result.error;
}

}  // namespace
}  // namespace kvtest
