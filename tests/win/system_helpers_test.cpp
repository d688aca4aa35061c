// The hashes' file access and the code-page conversions against the real
// system calls: open modes, sharing, error texts and replacement characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <variant>

#include "code_pages.h"
#include "file_hashes.h"
#include "hash/crc32.h"
#include "string_convert.h"
#include "text_conversion.h"
#include "unique_resource.h"

namespace kv {
namespace {

template <typename T>
std::string ErrorOf(const HashOutcome<T>& outcome) {
    const auto* failure = std::get_if<HashFailure>(&outcome);
    return failure != nullptr ? failure->message : "<no error>";
}

class FileHashesTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : files_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    std::string Make(const std::string& name, const std::string& bytes) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string path =
            std::string(temp) + "kelvane-" + std::to_string(GetCurrentProcessId()) + "-" + name;
        win::UniqueFileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        EXPECT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        files_.push_back(path);
        return path;
    }
    std::vector<std::string> files_;
};

TEST_F(FileHashesTest, KindsOverRealFiles) {
    const std::string abc = Make("abc", "abc");
    EXPECT_EQ(std::get<std::string>(Md5OfFile(abc)), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(std::get<std::string>(Sha1OfFile(abc)), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(std::get<uint32_t>(Crc32OfFile(abc)), 0x352441C2u);
    EXPECT_EQ(ErrorOf(WordSumOfFile(abc)), "Read beyond end of file");
    EXPECT_EQ(std::get<uint32_t>(
                  WordSumOfFile(Make("w16", std::string("\1\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0", 16)))),
              3u);
    std::string big(3 * 65536 + 5, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    EXPECT_EQ(std::get<uint32_t>(Crc32OfFile(Make("big", big))), Crc32(big.data(), big.size()));
}

TEST_F(FileHashesTest, ExistingFilesOnly) {
    const std::string abc = Make("exists", "abc");
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_TRUE(IsExistingFile(abc));
    EXPECT_FALSE(IsExistingFile(abc + ".missing"));
    EXPECT_FALSE(IsExistingFile(temp));
    EXPECT_FALSE(IsExistingFile(""));
}

TEST_F(FileHashesTest, WritersBlockReadersShareReadOnlyWorks) {
    const std::string path = Make("shared", "abc");
    {
        win::UniqueFileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer);
        const std::string md5 = ErrorOf(Md5OfFile(path));
        const std::string prefix = "Cannot open file \"" + path + "\". ";
        EXPECT_EQ(md5.substr(0, prefix.size()), prefix);
        EXPECT_GT(md5.size(), prefix.size());
        EXPECT_EQ(md5.find('\n'), std::string::npos);
        EXPECT_EQ(ErrorOf(Crc32OfFile(path)), "File access denied");
        EXPECT_EQ(ErrorOf(Sha1OfFile(path)), "File access denied");
    }
    win::UniqueFileHandle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(ErrorOf(Md5OfFile(path)), "<no error>");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ErrorOf(Crc32OfFile(path)), "<no error>");
}

TEST(CodePages, AnsiUtf16AndOemRoundTrips) {
    EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16("plain text")), "plain text");
    EXPECT_EQ(Utf16ToAnsi(*DecodeUtf8("A\xE4\xB8\xAD"
                                      "B")),
              "A?B");
    // A character beyond U+FFFF is replaced, never a broken text.
    const std::string emoji =
        Utf16ToAnsi(*DecodeUtf8("A\xF0\x9F\x98\x80"
                                "B"));
    EXPECT_EQ(emoji.front(), 'A');
    EXPECT_EQ(emoji.back(), 'B');
    EXPECT_EQ(AnsiToUtf16(""), u"");
    EXPECT_EQ(OemCodePageToAnsi(""), "");
    // Letters both code pages hold come back; the length never changes.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(AnsiToOemCodePage(all).size(), all.size());
    EXPECT_EQ(OemCodePageToAnsi(AnsiToOemCodePage("Hello, 123")), "Hello, 123");
    if (GetACP() == 1252 && GetOEMCP() == 437) {
        EXPECT_EQ(AnsiToOemCodePage("\xE9\xC9"), "\x82\x90");  // é É
        EXPECT_EQ(OemCodePageToAnsi("\x82\x90"), "\xE9\xC9");
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

std::string Convert(const char* mode, const std::string& text) {
    return ConvertText(*ConvertModeOfName(mode), text);
}

std::string RgbOf(COLORREF c) {
    return std::to_string(GetRValue(c)) + ',' + std::to_string(GetGValue(c)) + ',' +
           std::to_string(GetBValue(c));
}

TEST(TextConversion, ColourFormsWithTheRealScheme) {
    EXPECT_EQ(Convert("ColorToRGB", "Red"), "255,0,0");
    EXPECT_EQ(Convert("ColorToHTML", "255,0,0"), "#FF0000");
    EXPECT_EQ(Convert("colortoneo", "#FF0000"), "Red");
    EXPECT_EQ(Convert("ColorToNeo", "1, 2, 3"), "1,2,3");
    EXPECT_EQ(Convert("ColorToNeo", "btnface"), "BtnFace");
    EXPECT_EQ(Convert("ColorToHTML", "Default"), "#002000");
    EXPECT_EQ(Convert("ColorToRGB", "None"), "255,255,255");
    EXPECT_EQ(Convert("ColorToRGB", "no colour"), "");
    EXPECT_EQ(Convert("ColorToRGB", "BtnFace"), RgbOf(GetSysColor(COLOR_BTNFACE)));
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    char html[8];
    wsprintfA(html, "#%02X%02X%02X", GetRValue(window), GetGValue(window), GetBValue(window));
    EXPECT_EQ(Convert("ColorToHTML", "Window"), html);
}

TEST(TextConversion, CodesUtf8AndKoi) {
    EXPECT_EQ(Convert("StrToAscii", "AB"), "#65#66");
    EXPECT_EQ(Convert("AsciiToStr", "#72#x#105"), "Hi");
    EXPECT_EQ(Convert("Utf8ToAnsi", "abc\xC3"), "");
    EXPECT_EQ(Convert("AnsiToUtf8", ""), "");
    EXPECT_EQ(Convert("Utf8ToAnsi", Convert("AnsiToUtf8", "plain")), "plain");
    EXPECT_EQ(Convert("WinToKoi", "\xA8\xB8 ok"), "\xB3\xA3 ok");
    EXPECT_EQ(Convert("KoiToWin", "\xB3\xA3 ok"), "\xA8\xB8 ok");
    if (GetACP() == 1252) {
        EXPECT_EQ(Convert("AnsiToUtf8", "\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");  // é €
        EXPECT_EQ(Convert("Utf8ToAnsi", "\xC3\xA9\xE2\x82\xAC"), "\xE9\x80");
    }
    if (GetACP() == 1251 && GetOEMCP() == 866) {
        EXPECT_EQ(Convert("AnsiToUtf8", "\xC0\xFF\xA8"), "\xD0\x90\xD1\x8F\xD0\x81");  // А я Ё
        EXPECT_EQ(Convert("Utf8ToAnsi", "\xD0\x90\xD1\x8F\xD0\x81"), "\xC0\xFF\xA8");
        EXPECT_EQ(Convert("WinToDos", "\xC0\xFF\xA8"), "\x80\xEF\xF0");
        EXPECT_EQ(Convert("DosToWin", "\x80\xEF\xF0"), "\xC0\xFF\xA8");
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Says which system the conversions above were checked on.
TEST(TextConversion, ReportsTheCodePages) {
    std::printf("code pages: ANSI %u, OEM %u\n", GetACP(), GetOEMCP());
    EXPECT_TRUE(GetACP() == 1252 || GetACP() == 1251);
}

}  // namespace
}  // namespace kv
