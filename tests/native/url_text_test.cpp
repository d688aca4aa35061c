// Percent-encoding: the plain form of every character but letters and
// digits, and the address form the shell can open.
#include <gtest/gtest.h>

#include "url_text.h"

namespace kv {
namespace {

TEST(UrlText, PercentEncodeKeepsOnlyLettersAndDigits) {
    EXPECT_EQ(PercentEncode("abc"), "abc");
    EXPECT_EQ(PercentEncode("a.b"), "a%2Eb");
    EXPECT_EQ(PercentEncode(" "), "%20");
    EXPECT_EQ(PercentEncode(""), "");
    EXPECT_EQ(PercentEncode("Az09/:%"), "Az09%2F%3A%25");
    EXPECT_EQ(PercentEncode("\xcf\xff"), "%CF%FF");  // high bytes, upper-case digits
    EXPECT_EQ(PercentEncode(std::string_view("a\0b", 3)), "a%00b");
}

TEST(UrlText, WebAddressKeepsSchemeHostAndSeparators) {
    EXPECT_EQ(EncodeWebAddress("https://www.example.org/a/b.html?x=1&y=2#top"),
              "https://www.example.org/a/b.html?x=1&y=2#top");
    EXPECT_EQ(EncodeWebAddress("http://host/a b/\"c\""), "http://host/a%20b/%22c%22");
    EXPECT_EQ(EncodeWebAddress("http://host/%41%zz"), "http://host/%41%25zz");
    EXPECT_EQ(EncodeWebAddress("http://host/\xe9"), "http://host/%E9");
    EXPECT_EQ(EncodeWebAddress("http://host/50%"), "http://host/50%25");
}

}  // namespace
}  // namespace kv
