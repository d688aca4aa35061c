#include "search/search_criteria.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param_text.h"

namespace kv {
namespace {

using Texts = std::vector<std::string>;

TEST(SearchCriteria, SplitUniqueTrimsDropsEmptiesAndRepeats) {
    EXPECT_EQ(SplitUnique(" *.txt ; *.doc;;\t*.TXT; \x01;*.Doc"), (Texts{"*.txt", "*.doc"}));
    EXPECT_EQ(SplitUnique(""), Texts{});
    EXPECT_EQ(SplitUnique("\xE0.x;\xC0.x"), (Texts{"\xE0.x", "\xC0.x"}));  // ASCII letters only
}

TEST(SearchCriteria, LocationPrefixes) {
    struct Case {
        const char* location;
        const char* folder;
        bool subfolders;
        uint16_t min, max;
    };
    // Given: no subfolders, levels 3 to 7.
    const Case cases[] = {
        {"  C:\\Data  ", "C:\\Data", false, 3, 7},     {">C:\\Data", "C:\\Data", true, 3, 7},
        {"<C:\\Data", "C:\\Data", false, 3, 7},        {" 2 > C:\\Data", "C:\\Data", true, 0, 2},
        {"1-4>C:\\Data", "C:\\Data", true, 1, 4},      {" 2 - 5 >C:\\Data", "C:\\Data", true, 2, 5},
        {"x-$10>C:\\Data", "C:\\Data", true, 3, 16},  // an unreadable number keeps its value
        {"-1>C:\\Data", "C:\\Data", true, 3, 1},      // "-" splits: empty before it
        {"0--1>C:\\Data", "C:\\Data", true, 0, 65535}, {"abc>C:\\Data", "C:\\Data", true, 0, 7},
        {"3>C:\\a<b", "C:\\a<b", true, 0, 3},
    };
    for (const Case& c : cases) {
        const ParsedLocation p = ParseLocation(c.location, false, 3, 7);
        EXPECT_EQ(p.folder, c.folder) << c.location;
        EXPECT_EQ(p.subfolders, c.subfolders) << c.location;
        EXPECT_EQ(p.minLevel, c.min) << c.location;
        EXPECT_EQ(p.maxLevel, c.max) << c.location;
    }
}

TEST(SearchCriteria, AttributeMasksAndStatuses) {
    TAttributesCriteria a;
    EXPECT_TRUE(a.Matches(0x20));
    EXPECT_TRUE(a.Matches(0x01));
    EXPECT_FALSE(a.Matches(0x22));  // hidden
    EXPECT_FALSE(a.Matches(0x10));  // folder
    EXPECT_EQ(a.Status(2), TFileAttributeStatus::fsUnset);
    EXPECT_EQ(a.Status(1), TFileAttributeStatus::fsIgnore);

    a.SetStatus(1, TFileAttributeStatus::fsSet);
    EXPECT_FALSE(a.Matches(0x20));
    EXPECT_TRUE(a.Matches(0x21));
    a.SetStatus(1, TFileAttributeStatus::fsIgnore);
    a.SetStatus(6, TFileAttributeStatus::fsAnySet);
    a.SetStatus(9, TFileAttributeStatus::fsAnySet);
    EXPECT_FALSE(a.Matches(0x01));
    EXPECT_TRUE(a.Matches(0x100));
    EXPECT_EQ(a.Status(9), TFileAttributeStatus::fsAnySet);
    a.SetStatus(9, TFileAttributeStatus::fsAnyUnset);
    a.SetStatus(6, TFileAttributeStatus::fsAnyUnset);
    EXPECT_FALSE(a.Matches(0x120));
    EXPECT_TRUE(a.Matches(0x20));
    EXPECT_EQ(a.Status(6), TFileAttributeStatus::fsAnyUnset);

    a.Clear();
    for (int index = 1; index <= 17; ++index)
        EXPECT_EQ(a.Status(index), TFileAttributeStatus::fsIgnore);
    EXPECT_TRUE(a.Matches(0x16));
}

TEST(SearchCriteria, FiltersInOrderWithADotForNamesWithoutExtension) {
    TFileCriteria f;
    EXPECT_TRUE(f.Matches("C:\\x\\", "a.tmp"));
    f.SetFilters({"<*.tmp", ">*"});
    EXPECT_FALSE(f.Matches("C:\\x\\", "a.TMP"));
    EXPECT_TRUE(f.Matches("C:\\x\\", "a.txt"));
    f.SetFilters({">*\\keep\\*", "<*"});
    EXPECT_TRUE(f.Matches("C:\\keep\\", "a"));
    EXPECT_FALSE(f.Matches("C:\\other\\", "a"));
    f.SetFilters({"*."});  // a plain line rejects
    EXPECT_FALSE(f.Matches("C:\\x.y\\", "readme"));
    EXPECT_TRUE(f.Matches("C:\\x\\", "readme.txt"));
    f.AddFilter("*.");
    EXPECT_EQ(f.Filters().size(), 1u);

    EXPECT_EQ(FileExtension("C:\\a.b\\name"), "");
    EXPECT_EQ(FileExtension("C:\\a\\x.tar.gz"), ".gz");
    EXPECT_EQ(FileExtension("C:name."), ".");
}

FolderRules Rules(std::vector<std::string>* expanded = nullptr) {
    return {[expanded](const std::string& folder) {
                if (expanded) expanded->push_back(folder);
                return folder.find(':') == std::string::npos ? "C:\\cwd\\" + folder : folder;
            },
            [](std::string_view a, std::string_view b) { return EqualsNoCase(a, b); }};
}

TEST(SearchCriteria, TargetsMergeOneFolderAndTakeTheLaterSettings) {
    TFileCriteria f;
    f.SetFileName(" *.txt ; *.TXT;*.doc");
    f.SetLocation("C:\\Data;<c:\\data\\;2>sub;;   ");
    f.SetSubfolders(true);
    f.AddPath("  C:\\Data\\*.ini ");
    f.AddPath("D:");
    f.AddPath("  ");
    const TTargetPaths& t = f.TargetPaths(Rules());
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].Folder, "C:\\Data\\");  // the last location naming it
    EXPECT_EQ(t[0].FileMasks, (Texts{"*.txt", "*.doc", "*.ini"}));
    EXPECT_TRUE(t[0].Subfolders);  // the Paths line came last
    EXPECT_EQ(t[1].Folder, "C:\\cwd\\sub\\");
    EXPECT_EQ(t[1].MaxLevel, 2);
    EXPECT_EQ(t[2].Folder, "D:\\");
    EXPECT_EQ(t[2].FileMasks, Texts{"*.*"});

    // Cached until an input changes; filters are no input.
    std::vector<std::string> expanded;
    EXPECT_EQ(&f.TargetPaths(Rules(&expanded)), &t);
    f.AddFilter("<*.bak");
    f.SetLocation(f.Location());
    f.TargetPaths(Rules(&expanded));
    EXPECT_TRUE(expanded.empty());
    f.SetMaxLevel(4);
    EXPECT_EQ(f.TargetPaths(Rules(&expanded))[1].MaxLevel, 2);  // the prefix still rules
    EXPECT_EQ(f.TargetPaths(Rules())[0].MaxLevel, 4);
    EXPECT_FALSE(expanded.empty());

    // No masks: "*.*"; a location without a folder searches nothing.
    TFileCriteria g;
    g.SetLocation(" > ;3-4<;x");
    const TTargetPaths& u = g.TargetPaths(Rules());
    ASSERT_EQ(u.size(), 1u);
    EXPECT_EQ(u[0].Folder, "C:\\cwd\\x\\");
    EXPECT_EQ(u[0].FileMasks, Texts{"*.*"});
}

}  // namespace
}  // namespace kv
