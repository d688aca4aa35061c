// The find-files action seen from the host, over real trees on disk.
#include <windows.h>

#include <string>
#include <vector>

#include "find_fixture.h"
#include "find_tree.h"

namespace kvtest {
namespace {

class FindFilesTest : public FindActionTest {
protected:
    // The calls of one delivery, in order: list, count, subroutine.
    static Lines Delivery(const std::string& variable, const std::string& list, size_t count,
                          const std::string& goSub = "GoSub \"Done\"") {
        Lines calls{"SetVar|" + variable + "|" + list,
                    "SetVar|[qvFindFilesCount]|" + std::to_string(count)};
        if (!goSub.empty()) calls.push_back("ScriptProcessor|" + goSub);
        return calls;
    }
};

// A tree with the awkward names: blanks, several dots, no extension,
// Cyrillic, and read-only, hidden and system entries.
struct MixedTree {
    FindTree tree;
    MixedTree() {
        tree.File("a.txt");
        tree.File("b c.txt");
        tree.File("x.tar.gz");
        tree.File("noext");
        tree.File("Привет.txt");
        tree.File("r.txt", FILE_ATTRIBUTE_READONLY);
        tree.File("h.txt", FILE_ATTRIBUTE_HIDDEN);
        tree.File("s.txt", FILE_ATTRIBUTE_SYSTEM);
        tree.File("sub\\d.txt");
        tree.File("sub\\deep\\e.TXT");
        tree.File("hid\\f.txt");
        tree.Folder("hid", FILE_ATTRIBUTE_HIDDEN);
        tree.File("sys\\g.txt");
        tree.Folder("sys", FILE_ATTRIBUTE_SYSTEM);
    }
    std::string P(const std::string& relative) const { return tree.Path(relative); }
};

TEST_F(FindFilesTest, FullPathsInReportOrderThenCountThenSubroutine) {
    MixedTree m;
    const Lines visible = {m.P("a.txt"),           m.P("b c.txt"), m.P("x.tar.gz"),
                           m.P("Привет.txt"),      m.P("r.txt"),   m.P("sub\\d.txt"),
                           m.P("sub\\deep\\e.TXT")};
    const Lines expected = ReportOrder(m.tree.root(), visible);
    ASSERT_EQ(expected.size(), visible.size());

    EXPECT_TRUE(Find("*.*", m.tree.root(), "SubFolders"));
    EXPECT_EQ(Calls(), Delivery("[found]", ListText(expected), expected.size()));

    // Without "SubFolders" only the folder itself; "*.*" needs a dot.
    host_->calls().clear();
    const Lines top = ReportOrder(m.tree.root(), {visible.begin(), visible.begin() + 5});
    EXPECT_TRUE(Find("", m.tree.root(), ""));
    EXPECT_EQ(Calls(), Delivery("[found]", ListText(top), 5));
}

TEST_F(FindFilesTest, CyrillicNamesAreTheCodePagesBytes) {
    MixedTree m;
    EXPECT_TRUE(Find("*.txt", m.tree.root(), "NamesOnly"));
    const std::string list = host_->Vars().Get("[found]");
    if (GetACP() == 1251) {
        EXPECT_NE(list.find("\xCF\xF0\xE8\xE2\xE5\xF2.txt\r\n"), std::string::npos) << list;
        // Only the ASCII letters match in either case.
        EXPECT_TRUE(Find("\xEF*", m.tree.root(), "NamesOnly"));
        EXPECT_EQ(host_->Vars().Get("[found]"), "");
        EXPECT_TRUE(Find("\xCF*", m.tree.root(), "NamesOnly"));
        EXPECT_EQ(host_->Vars().Get("[found]"), "\xCF\xF0\xE8\xE2\xE5\xF2.txt\r\n");
    } else {
        std::printf("code page %u has no Cyrillic: the ANSI name is \"%s\"\n", GetACP(),
                    AnsiOf("Привет.txt").c_str());
        EXPECT_NE(list.find(AnsiOf("Привет.txt") + "\r\n"), std::string::npos) << list;
    }
    if (GetACP() == 1251) {
        // One folder named in two letter cases is one target: each file once.
        FindTree other;
        other.File("Папка\\z.txt");
        const std::string lower = other.root() + "\xEF\xE0\xEF\xEA\xE0";  // "папка"
        const std::string upper = other.root() + "\xCF\xC0\xCF\xCA\xC0";  // "ПАПКА"
        EXPECT_TRUE(Find("*.txt", lower + ";" + upper, "NamesOnly"));
        EXPECT_EQ(host_->Vars().Get("[found]"), "z.txt\r\n");
    }
    EXPECT_TRUE(Find("*.TXT", m.tree.root(), "NamesOnly"));
    EXPECT_NE(host_->Vars().Get("[found]").find("a.txt\r\n"), std::string::npos);
}

TEST_F(FindFilesTest, NameOptionsInAnyCaseAndWithBlanks) {
    FindTree tree;
    tree.File("a.txt.txt");
    tree.File("b.log");
    tree.File("c.txtx.txt");
    tree.File("sub\\d.txt");
    const std::string r = tree.root();
    const auto names = [&](const Lines& rel) {
        Lines full;
        for (const std::string& n : rel) full.push_back(r + n);
        return ReportOrder(r, full);
    };
    const Lines top = names({"a.txt.txt", "b.log", "c.txtx.txt"});
    const auto strip = [&](const Lines& full, auto change) {
        Lines out;
        for (const std::string& f : full) out.push_back(change(f.substr(r.size())));
        return ListText(out);
    };

    EXPECT_TRUE(Find("*.*", r, " namesonly "));
    EXPECT_EQ(host_->Vars().Get("[found]"), strip(top, [](std::string n) { return n; }));
    EXPECT_TRUE(Find("*.*", r, "NamesOnly + NOEXT"));
    // Every occurrence of the extension goes.
    EXPECT_EQ(host_->Vars().Get("[found]"), strip(top, [](const std::string& n) {
                  return n == "a.txt.txt" ? std::string("a")
                         : n == "b.log"   ? std::string("b")
                                          : std::string("cx");
              }));
    EXPECT_TRUE(Find("*.*", r, "NoExt"));
    EXPECT_EQ(host_->Vars().Get("[found]"), ListText(top));
    EXPECT_TRUE(Find("*.*", r, "SubFolders+NamesOnly+NoExt"));
    EXPECT_EQ(host_->Vars().Get("[found]"),
              ListText(names({"a.txt.txt", "b.log", "c.txtx.txt", "sub\\d.txt"})));
}

TEST_F(FindFilesTest, MasksFoldersAndLevelPrefixes) {
    FindTree one, two;
    one.File("a.txt");
    one.File("b.doc");
    one.File("l1\\c.txt");
    one.File("l1\\l2\\d.txt");
    two.File("e.doc");
    const std::string r = one.root();

    // Two masks, two folders: mask by mask within a folder; an entry that
    // both masks match comes twice; the same folder twice is one target.
    EXPECT_TRUE(
        Find(" *.txt ; *.doc ;a.*", r + ";" + two.root() + "; " + r.substr(0, r.size() - 1), ""));
    EXPECT_EQ(host_->Vars().Get("[found]"),
              ListText({r + "a.txt", r + "b.doc", r + "a.txt", two.root() + "e.doc"}));
    EXPECT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "4");

    // "2>" searches two levels, "2-3>" from the second level on, "<" the
    // folder alone, ">" everything.
    EXPECT_TRUE(Find("*.txt", "2>" + r, ""));
    EXPECT_EQ(host_->Vars().Get("[found]"),
              ListText(ReportOrder(r, {r + "a.txt", r + "l1\\c.txt"})));
    EXPECT_TRUE(Find("*.txt", " 2 - 3 > " + r, ""));
    EXPECT_EQ(host_->Vars().Get("[found]"),
              ListText(ReportOrder(r, {r + "l1\\c.txt", r + "l1\\l2\\d.txt"})));
    EXPECT_TRUE(Find("*.txt", "<" + r, "SubFolders"));
    EXPECT_EQ(host_->Vars().Get("[found]"), ListText({r + "a.txt"}));
    EXPECT_TRUE(Find("*.txt", ">" + r, ""));
    EXPECT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "3");

    // Relative folders start at the current one.
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(r.c_str());
    EXPECT_TRUE(Find("*.txt", ".\\l1\\..\\l1", ""));
    SetCurrentDirectoryA(current);
    EXPECT_EQ(host_->Vars().Get("[found]"), ListText({r + "l1\\c.txt"}));
}

TEST_F(FindFilesTest, SetMasksAreTestedExactly) {
    FindTree tree;
    tree.File("a1.txt");
    tree.File("b2.txt");
    tree.File("c3.txt");
    const std::string r = tree.root();
    EXPECT_TRUE(Find("[AB]?.txt", r, ""));
    EXPECT_EQ(host_->Vars().Get("[found]"), ListText(ReportOrder(r, {r + "a1.txt", r + "b2.txt"})));
    EXPECT_TRUE(Find("[!a-b]*", r, "NamesOnly"));
    EXPECT_EQ(host_->Vars().Get("[found]"), "c3.txt\r\n");
}

TEST_F(FindFilesTest, NothingFoundStillDeliversAndRunsTheSubroutine) {
    FindTree tree;
    EXPECT_TRUE(Find("*.*", tree.root() + "missing;" + tree.root(), "SubFolders"));
    EXPECT_EQ(Calls(), Delivery("[found]", "", 0));
    host_->calls().clear();
    EXPECT_TRUE(Find("*.*", tree.root(), "", "[found]", "NoSuchSub"));
    EXPECT_EQ(Calls(), Delivery("[found]", "", 0, ""));
}

TEST_F(FindFilesTest, InvalidMaskReportsThenDeliversWhatCameBeforeAndFails) {
    FindTree tree;
    EXPECT_TRUE(Find("[a", tree.root(), ""));  // no entry reached the test: no error
    EXPECT_EQ(Calls(), Delivery("[found]", "", 0));

    tree.File("x.txt");
    host_->calls().clear();
    EXPECT_FALSE(Find("*.txt;[a", tree.root(), "NamesOnly"));
    // The error comes first, as a worker's does: the subroutine can read it.
    Lines expected{"SetVar|[LastError]|'[a' is an invalid mask at (3)"};
    for (const std::string& line : Delivery("[found]", "x.txt\r\n", 1)) expected.push_back(line);
    EXPECT_EQ(Calls(), expected);
    ExpectCleanCall(__LINE__);
}

TEST_F(FindFilesTest, FoldersBeyondMaxPathGiveNothingLongFullPathsAreReported) {
    FindTree tree;
    const std::string part(60, 'p');
    std::string deep;
    for (int i = 0; i < 5; ++i) deep += part + "\\";
    tree.File(deep + "too.txt");
    // A name that makes the full path longer than MAX_PATH.
    std::string nearFolder;
    while (tree.root().size() + nearFolder.size() + 70 < MAX_PATH) nearFolder += "n\\";
    const std::string longName = std::string(100, 'q') + ".txt";
    tree.File(nearFolder + longName);

    EXPECT_TRUE(Find("*.txt", tree.root(), "SubFolders"));
    const std::string full = tree.root() + nearFolder + longName;
    ASSERT_GT(full.size(), size_t{MAX_PATH});
    EXPECT_EQ(host_->Vars().Get("[found]"), ListText({full}));
    EXPECT_TRUE(Find("*.txt", tree.root() + deep, ""));
    EXPECT_EQ(Calls().back(), "ScriptProcessor|GoSub \"Done\"");
    EXPECT_EQ(host_->Vars().Get("[qvFindFilesCount]"), "0");
}

TEST_F(FindFilesTest, SteeringWithoutASearchDoesNothing) {
    for (const char* mode : {"Abort", "Suspend", "Resume", "Nonsense", ""})
        EXPECT_TRUE(Steer(mode)) << mode;
    EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace kvtest
