#include "search/found_files.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(FoundFiles, OneTextInTheOptionsInForceWhenItIsWritten) {
    FoundFiles found;
    EXPECT_EQ(found.Text({}), "");
    found.Add("C:\\a.b\\", "x.txt.txt");
    found.Add("C:\\a.b\\", "readme");
    found.Add("C:\\", "x.TXT.txt");
    found.Add("C:\\", "dot.");
    EXPECT_EQ(found.size(), 4u);
    const std::string full =
        "C:\\a.b\\x.txt.txt\r\nC:\\a.b\\readme\r\nC:\\x.TXT.txt\r\nC:\\dot.\r\n";
    EXPECT_EQ(found.Text({}), full);
    EXPECT_EQ(found.Text({false, false, true}), full);  // "NoExt" alone changes nothing
    EXPECT_EQ(found.Text({true, true, true}), full);    // "SubFolders" wins
    EXPECT_EQ(found.Text({false, true, false}), "x.txt.txt\r\nreadme\r\nx.TXT.txt\r\ndot.\r\n");
    // Every occurrence of the extension, in its own letter case; the folder's
    // dot is no extension.
    EXPECT_EQ(found.Text({false, true, true}), "x\r\nreadme\r\nx.TXT\r\ndot\r\n");
    found.clear();
    EXPECT_EQ(found.size(), 0u);
    EXPECT_EQ(found.Text({}), "");
}

}  // namespace
}  // namespace kv
