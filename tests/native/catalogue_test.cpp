#include "catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kv {
namespace {

std::string Bytes(const char* text) {
    std::string hex;
    for (const char* p = text; *p; ++p) {
        static const char digits[] = "0123456789ABCDEF";
        const auto b = static_cast<unsigned char>(*p);
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

TEST(Catalogue, EveryActionOnceUnderTwelveCategories) {
    const auto all = ActionCatalogue();
    ASSERT_EQ(all.size(), 69u);
    ASSERT_TRUE(all.front().IsCategory());
    std::set<int32_t> ids;
    int categories = 0;
    for (const CatalogueEntry& e : all) {
        ASSERT_NE(e.name, nullptr);
        ASSERT_NE(e.hint, nullptr);
        ASSERT_GE(e.numParams, 0);
        ASSERT_LE(e.numParams, kMaxParams);
        if (e.IsCategory()) {
            ++categories;
            EXPECT_STREQ(e.hint, "");
            EXPECT_EQ(e.numParams, 0);
            EXPECT_EQ(e.codes[0], kPlaceholder);
            continue;
        }
        EXPECT_TRUE(ids.insert(e.id).second) << "duplicate " << e.id;
        EXPECT_EQ(FindAction(e.id), &e);
        EXPECT_EQ(std::string(e.name).rfind("qv", 0), 0u) << e.name;
        for (int32_t i = 0; i < e.numParams; ++i)
            EXPECT_NE(e.codes[size_t(i)], kPlaceholder) << e.name;
        for (size_t i = size_t(e.CodeCount()); i < e.codes.size(); ++i)
            EXPECT_EQ(e.codes[i], 0) << e.name;
    }
    EXPECT_EQ(categories, 12);
    EXPECT_EQ(ids.size(), 57u);
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), kHighestActionId);
    EXPECT_EQ(FindAction(0), nullptr);
    EXPECT_EQ(FindAction(58), nullptr);
    EXPECT_EQ(FindAction(-1), nullptr);
}

TEST(Catalogue, OrderIsPartOfTheVocabulary) {
    const auto all = ActionCatalogue();
    std::vector<std::string> order;
    for (const CatalogueEntry& e : all)
        order.push_back(e.IsCategory() ? std::string("#") + e.name : e.name);
    auto at = [&](const std::string& name) {
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == name) return i;
        ADD_FAILURE() << name;
        return size_t(0);
    };
    EXPECT_EQ(at("qvShowInRectangle"), at("qvRefreshWindows") + 1);
    EXPECT_EQ(at("#The main window"), at("qvShowInRectangle") + 1);
    EXPECT_EQ(order.back(), "qvFolderOperation");
    EXPECT_EQ(at("qvFindFiles"), at("#Experimentally!  ") + 1);
    EXPECT_EQ(at("qvGetFolderPath"), at("qvFindFiles") + 1);
    EXPECT_EQ(order[at("#Taskbar     ") + 1], "qvShowIcon");
}

TEST(Catalogue, RussianTextsCarryWindows1251Bytes) {
    const CatalogueEntry* e19 = FindAction(19);
    ASSERT_NE(e19, nullptr);
    const std::string hint = e19->hint;
    // "овку." in Windows-1251
    EXPECT_EQ(Bytes(hint.substr(hint.size() - 5).c_str()), "EEE2EAF32E");
    bool found = false;
    for (const CatalogueEntry& e : ActionCatalogue())
        if (e.IsCategory() && Bytes(e.name) == "D0E0E7EDEEE5") found = true;  // "Разное"
    EXPECT_TRUE(found);
}

TEST(Catalogue, ParameterShapesOfSampleActions) {
    const CatalogueEntry* pos = FindAction(23);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->numParams, 7);
    EXPECT_EQ(pos->CodeCount(), 7);
    EXPECT_EQ(pos->codes[0], kInteger);
    EXPECT_EQ(pos->codes[6], kText);
    EXPECT_EQ(FindAction(4)->numParams, 0);
    EXPECT_EQ(FindAction(4)->CodeCount(), 1);
    EXPECT_EQ(FindAction(40)->codes[0], kPicture);
    EXPECT_EQ(FindAction(55)->codes[1], kObject);
    EXPECT_STREQ(FindAction(8)->hint, "Show / Hide \"Taskbar\".");
}

}  // namespace
}  // namespace kv
