// The find-files action driven through the exports, with a script whose
// subroutines "Done" and "Other" the searches can run.
#pragma once

#include <string>
#include <vector>

#include "host_fixture.h"

namespace kvtest {

using Lines = std::vector<std::string>;

inline const std::string kDone = "GoSub \"Done\"";
inline const std::string kOther = "GoSub \"Other\"";
// "Ошибка потока" as Windows-1251 bytes.
inline const std::string kThreadFailure = "\xCE\xF8\xE8\xE1\xEA\xE0 \xEF\xEE\xF2\xEE\xEA\xE0";

class FindActionTest : public HostTest {
protected:
    static constexpr const char* kScript =
        "Exit\n"
        ":Done\n"
        "Return\n"
        ":Other\n"
        "Return\n";

    void SetUp() override {
        HostTest::SetUp();
        Start(kScript);
    }
    bool Find(const std::string& masks, const std::string& folders, const std::string& options,
              const std::string& variable = "[found]", const std::string& subroutine = "Done") {
        return host_->ExecAction(54, {masks, folders, options, subroutine, variable, "Find"});
    }
    bool Steer(const std::string& mode) {
        return host_->ExecAction(54, {"", "", "", "", "", mode});
    }
    // The plug-in's calls but the interface requests, as "callback|arg|arg".
    Lines Calls() const {
        Lines out;
        for (const kvhost::CallRecord& c : host_->calls()) {
            if (c.callback == "InterfaceAccess") continue;
            std::string line = c.callback;
            for (const std::string& a : c.args) line += "|" + a;
            out.push_back(line);
        }
        return out;
    }
};

}  // namespace kvtest
