// The twelve categories and 57 actions handed to the host at registration.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kv {

// How the host offers, and the handlers read, each parameter.
enum ParamTypeCode : uint8_t {
    kPlaceholder = 0,  // the single element of an empty code array
    kText = 1,         // a word, boolean, title, class, subroutine name or path
    kInteger = 3,      // a handle, percentage, duration or layout number
    kPixels = 4,       // a position or size
    kFilePath = 5,     // a file or folder on disk
    kVariable = 6,     // the name of the host variable that receives a result
    kObject = 8,       // one of the publication's objects
    kPicture = 10,     // a picture on disk or among the embedded files
};

constexpr int32_t kMaxParams = 7;
constexpr int32_t kHighestActionId = 57;
constexpr size_t kCatalogueSize = 69;

struct CatalogueEntry {
    int32_t id;        // 1..57 for an action, 0 for a category
    const char* name;  // host bytes (Windows-1251 where Russian)
    const char* hint;
    int32_t numParams;                      // 0..7; 0 for a category
    std::array<uint8_t, kMaxParams> codes;  // one per parameter; {0} when none

    constexpr bool IsCategory() const { return id == 0; }
    // The code array always has at least one element.
    constexpr int32_t CodeCount() const { return numParams > 0 ? numParams : 1; }
};

// Every entry, in the order the host receives them.
std::span<const CatalogueEntry> ActionCatalogue();

// The action with this number, or nullptr for 0 and unknown numbers.
const CatalogueEntry* FindAction(int32_t id);

}  // namespace kv
