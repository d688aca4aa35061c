// A loaded plug-in behind a fresh test host, for tests that drive the DLL
// only through its exports.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "test_host.h"

namespace kvtest {

std::string PluginPath();  // Kelvane.dll beside the test program

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<kvhost::TestHost>();
        std::string error;
        ASSERT_TRUE(host_->Load(PluginPath(), error)) << error;
    }
    void TearDown() override { host_.reset(); }

    // Loads a script (for its subroutines) and runs the start-up sequence.
    void Start(const char* script = "", const kvhost::StartOptions& options = {}) {
        std::string error;
        ASSERT_TRUE(host_->LoadScript(script, error)) << error;
        host_->StartUp(options);
        ExpectCleanCall(__LINE__);
        host_->calls().clear();
    }

    void ExpectCleanCall(int line) {
        EXPECT_EQ(host_->lastCheck().stackLeft, 0) << "called from line " << line;
        EXPECT_FALSE(host_->lastCheck().clobbered) << "called from line " << line;
    }

    std::unique_ptr<kvhost::TestHost> host_;
};

}  // namespace kvtest
