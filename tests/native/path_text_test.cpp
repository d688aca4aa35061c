// Path composition against the Windows rules: drive roots and
// drive-relative names, UNC shares, the "\\?\" and "\\?\UNC\" forms,
// device paths, forward slashes, doubled delimiters and relative names.
#include <gtest/gtest.h>

#include <string>

#include "path_text.h"

namespace kv {
namespace {

TEST(PathText, RootsOfEveryKind) {
    EXPECT_EQ(RootLength(L""), 0u);
    EXPECT_EQ(RootLength(L"a\\b"), 0u);
    EXPECT_EQ(RootLength(L"..\\b"), 0u);
    EXPECT_EQ(RootLength(L"\\a"), 1u);
    EXPECT_EQ(RootLength(L"/a"), 1u);
    EXPECT_EQ(RootLength(L"C:"), 2u);
    EXPECT_EQ(RootLength(L"C:a"), 2u);
    EXPECT_EQ(RootLength(L"C:\\"), 3u);
    EXPECT_EQ(RootLength(L"C:/a"), 3u);
    EXPECT_EQ(RootLength(L"\\\\server\\share"), 14u);
    EXPECT_EQ(RootLength(L"\\\\server\\share\\"), 15u);
    EXPECT_EQ(RootLength(L"//server/share/a"), 15u);
    EXPECT_EQ(RootLength(L"\\\\server"), 8u);
    EXPECT_EQ(RootLength(L"\\\\?\\C:"), 6u);
    EXPECT_EQ(RootLength(L"\\\\?\\C:\\a"), 7u);
    EXPECT_EQ(RootLength(L"\\\\?\\UNC\\server\\share\\a"), 21u);
    EXPECT_EQ(RootLength(L"\\\\?\\unc\\server\\share"), 20u);
    EXPECT_EQ(RootLength(L"\\\\?\\Volume{1}\\a"), 14u);
    EXPECT_EQ(RootLength(L"\\\\.\\C:\\a"), 7u);
    EXPECT_EQ(RootLength(L"\\\\.\\COM1"), 8u);

    for (const wchar_t* root :
         {L"C:\\", L"c:/", L"C:\\\\", L"\\", L"/", L"\\\\server\\share", L"\\\\server\\share\\",
          L"//server/share/", L"\\\\?\\C:\\", L"\\\\?\\UNC\\server\\share",
          L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\Volume{1}\\", L"\\\\.\\C:\\"})
        EXPECT_TRUE(IsRootPath(root)) << root;
    for (const wchar_t* other :
         {L"", L"C:", L"C:a", L"C:\\a", L"C:\\a\\", L"\\a", L"a", L"\\\\server", L"\\\\server\\",
          L"\\\\server\\share\\a", L"\\\\?\\C:", L"\\\\.\\C:", L"\\\\?\\C:\\a",
          L"\\\\?\\UNC\\server", L"\\\\?\\UNC\\server\\share\\a", L"\\\\?\\C:/", L"\\\\?\\"})
        EXPECT_FALSE(IsRootPath(other)) << other;

    for (const wchar_t* full : {L"C:\\", L"C:\\a", L"C:/a", L"\\\\server\\share\\a",
                                L"\\\\?\\C:\\a", L"\\\\.\\COM1", L"//./pipe/x"})
        EXPECT_TRUE(IsFullPath(full)) << full;
    for (const wchar_t* relative : {L"", L"a", L"a\\b", L".\\a", L"..", L"C:", L"C:a", L"\\a"})
        EXPECT_FALSE(IsFullPath(relative)) << relative;

    EXPECT_TRUE(IsExtendedPath(L"\\\\?\\C:\\"));
    EXPECT_FALSE(IsExtendedPath(L"//?/C:/"));
    EXPECT_FALSE(IsExtendedPath(L"\\\\?/C:\\"));
    EXPECT_TRUE(IsDevicePath(L"\\\\.\\C:"));
    EXPECT_TRUE(IsDevicePath(L"//?/C:/"));
    EXPECT_TRUE(IsDevicePath(L"\\\\?/C:\\"));
    EXPECT_FALSE(IsDevicePath(L"\\\\?\\C:\\"));
    EXPECT_FALSE(IsDevicePath(L"\\\\server\\share"));
}

TEST(PathText, TrailingDelimitersComeAndGoButARootKeepsItsOwn) {
    EXPECT_EQ(WithTrailingDelimiter(L""), L"");
    EXPECT_EQ(WithTrailingDelimiter(L"a"), L"a\\");
    EXPECT_EQ(WithTrailingDelimiter(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingDelimiter(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingDelimiter(L"C:/a/"), L"C:/a/");
    EXPECT_EQ(WithTrailingDelimiter(L"C:"), L"C:\\");  // the root, not C's current folder
    EXPECT_EQ(WithTrailingDelimiter(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithTrailingDelimiter(L"\\\\server\\share"), L"\\\\server\\share\\");
    EXPECT_EQ(WithTrailingDelimiter(L"\\\\?\\C:"), L"\\\\?\\C:\\");
    // In the extended form "/" is no delimiter.
    EXPECT_EQ(WithTrailingDelimiter(L"\\\\?\\C:\\a/"), L"\\\\?\\C:\\a/\\");

    EXPECT_EQ(WithoutTrailingDelimiter(L""), L"");
    EXPECT_EQ(WithoutTrailingDelimiter(L"a\\"), L"a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:\\a\\\\/"), L"C:\\a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:\\a"), L"C:\\a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:\\\\\\"), L"C:\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:/"), L"C:/");
    EXPECT_EQ(WithoutTrailingDelimiter(L"C:"), L"C:");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\"), L"\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\server\\share\\"), L"\\\\server\\share\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\server\\share\\\\"), L"\\\\server\\share\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\server\\share\\a\\"), L"\\\\server\\share\\a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\C:\\"), L"\\\\?\\C:\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\C:\\a\\"), L"\\\\?\\C:\\a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\C:\\a/"), L"\\\\?\\C:\\a/");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\UNC\\server\\share\\"),
              L"\\\\?\\UNC\\server\\share\\");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\UNC\\server\\share\\a\\"),
              L"\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(WithoutTrailingDelimiter(L"\\\\?\\Volume{1}\\"), L"\\\\?\\Volume{1}\\");
}

TEST(PathText, JoinPutsExactlyOneDelimiterBetween) {
    // A drive root such as a USB stick's: never "E:\\a".
    EXPECT_EQ(JoinPath(L"E:\\", L"a.txt"), L"E:\\a.txt");
    EXPECT_EQ(JoinPath(L"\\\\?\\E:\\", L"a.txt"), L"\\\\?\\E:\\a.txt");
    EXPECT_EQ(JoinPath(L"E:", L"a.txt"), L"E:\\a.txt");
    EXPECT_EQ(JoinPath(L"E:/", L"a.txt"), L"E:/a.txt");
    EXPECT_EQ(JoinPath(L"C:\\a", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a\\", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a\\\\", L"\\\\b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:/a/", L"/b"), L"C:/a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a", L"b\\c"), L"C:\\a\\b\\c");
    EXPECT_EQ(JoinPath(L"C:\\a", L""), L"C:\\a\\");
    EXPECT_EQ(JoinPath(L"C:\\a", L"*"), L"C:\\a\\*");
    EXPECT_EQ(JoinPath(L"\\\\server\\share", L"a"), L"\\\\server\\share\\a");
    EXPECT_EQ(JoinPath(L"\\\\server\\share\\", L"a"), L"\\\\server\\share\\a");
    EXPECT_EQ(JoinPath(L"\\\\?\\UNC\\server\\share\\", L"a"), L"\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(JoinPath(L"\\\\?\\UNC\\server\\share", L"a"), L"\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(JoinPath(L"\\\\?\\C:", L"a"), L"\\\\?\\C:\\a");
    EXPECT_EQ(JoinPath(L"\\\\?\\C:\\a/", L"b"), L"\\\\?\\C:\\a/\\b");
    EXPECT_EQ(JoinPath(L"\\", L"a"), L"\\a");
    // Relative names: joined among themselves, and an empty folder adds nothing.
    EXPECT_EQ(JoinPath(L"", L"a"), L"a");
    EXPECT_EQ(JoinPath(L"", L"\\a"), L"a");
    EXPECT_EQ(JoinPath(L"a", L"b"), L"a\\b");
    EXPECT_EQ(JoinPath(JoinPath(L"", L"a"), L"b"), L"a\\b");
    EXPECT_EQ(JoinPath(L"..", L"b"), L"..\\b");
}

TEST(PathText, ExtendedFormOfFullPaths) {
    EXPECT_EQ(ExtendedPath(L"C:\\a\\b"), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(ExtendedPath(L"C:\\"), L"\\\\?\\C:\\");
    EXPECT_EQ(ExtendedPath(L"C:\\a\\"), L"\\\\?\\C:\\a\\");
    EXPECT_EQ(ExtendedPath(L"\\\\server\\share"), L"\\\\?\\UNC\\server\\share");
    EXPECT_EQ(ExtendedPath(L"\\\\server\\share\\a"), L"\\\\?\\UNC\\server\\share\\a");
    // The system takes the extended form as written: no "/", no doubles.
    EXPECT_EQ(ExtendedPath(L"C:/a/b"), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(ExtendedPath(L"C:\\a\\\\b//c\\/"), L"\\\\?\\C:\\a\\b\\c\\");
    EXPECT_EQ(ExtendedPath(L"//server/share/a"), L"\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(ExtendedPath(L"\\\\server\\share\\\\a"), L"\\\\?\\UNC\\server\\share\\a");
    // Already extended, device paths, and what is not full stay as they are.
    for (const wchar_t* kept : {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a/b", L"\\\\?\\UNC\\server\\share",
                                L"\\\\.\\COM1", L"\\\\.\\C:\\a", L"//./pipe/x", L"", L"a\\b",
                                L"..\\a", L"C:", L"C:a", L"\\a", L"\\\\server"})
        EXPECT_EQ(ExtendedPath(kept), kept) << kept;
}

TEST(PathText, NothingLongerThanTheSystemTakes) {
    const std::wstring prefix = L"\\\\?\\";
    // The longest drive path whose extended form fits, and one unit more.
    const std::wstring fits = L"C:\\" + std::wstring(kLongestPath - prefix.size() - 3, L'a');
    EXPECT_EQ(ExtendedPath(fits).size(), kLongestPath);
    EXPECT_EQ(ExtendedPath(fits + L"a"), L"");
    EXPECT_EQ(ExtendedPath(std::wstring(L"C:\\") + std::wstring(40000, L'a')), L"");
    // Counted after collapsing the doubled delimiters.
    EXPECT_EQ(ExtendedPath(L"C:\\\\" + fits.substr(3)).size(), kLongestPath);
    // UNC: "\\" becomes "\\?\UNC\", six units more.
    const std::wstring unc = L"\\\\s\\h\\" + std::wstring(kLongestPath - 8 - 4, L'a');
    EXPECT_EQ(ExtendedPath(unc).size(), kLongestPath);
    EXPECT_EQ(ExtendedPath(unc + L"a"), L"");
    // Paths that stay as they are must fit as well.
    const std::wstring extended = prefix + L"C:\\" + std::wstring(kLongestPath - 7, L'a');
    EXPECT_EQ(ExtendedPath(extended), extended);
    EXPECT_EQ(ExtendedPath(extended + L"a"), L"");
    EXPECT_EQ(ExtendedPath(L"\\\\.\\" + std::wstring(kLongestPath, L'a')), L"");
    EXPECT_EQ(ExtendedPath(std::wstring(kLongestPath + 1, L'a')), L"");
}

}  // namespace
}  // namespace kv
