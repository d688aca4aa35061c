// Every registration, byte for byte, against catalogue.tsv (UTF-8; the
// host receives Windows-1251).
#include <windows.h>

#include <fstream>
#include <sstream>

#include "host_fixture.h"

namespace kvtest {
namespace {

std::string Cp1251ToUtf8(const std::string& text) {
    if (text.empty()) return text;
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, text.data(), int(text.size()),
                                      wide.data(), int(wide.size()));
    wide.resize(size_t(n));
    std::string utf8(wide.size() * 3, '\0');
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), int(utf8.size()),
                                      nullptr, nullptr);
    utf8.resize(size_t(m));
    return utf8;
}

std::string Line(const kvhost::Registration& r) {
    std::string codes;
    for (size_t i = 0; i < r.codes.size(); ++i)
        codes += (i ? "," : "") + std::to_string(r.codes[i]);
    return std::to_string(r.id) + '\t' + Cp1251ToUtf8(r.name) + '\t' + Cp1251ToUtf8(r.hint) + '\t' +
           std::to_string(r.numParams) + '\t' + codes;
}

TEST_F(HostTest, RegistrationsMatchTheCatalogueFile) {
    std::ifstream file(KV_TEST_DATA "/catalogue.tsv", std::ios::binary);
    ASSERT_TRUE(file.good()) << KV_TEST_DATA "/catalogue.tsv";
    std::vector<std::string> expected;
    for (std::string line; std::getline(file, line);)
        if (!line.empty()) expected.push_back(line);

    host_->InitPlugIn();
    host_->RegisterPlugIn();
    const auto& regs = host_->registrations();
    ASSERT_EQ(regs.size(), expected.size());
    for (size_t i = 0; i < regs.size(); ++i) EXPECT_EQ(Line(regs[i]), expected[i]) << "entry " << i;
}

}  // namespace
}  // namespace kvtest
