// Fuzzes the filters' matcher, location prefixes and the splitting of mask
// and folder lists. The first newline cuts the input into text and pattern.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "param_text.h"
#include "search/search_criteria.h"
#include "search/wildcard.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\n');
    const std::string_view text = input.substr(0, cut);
    const std::string_view pattern =
        cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    const bool match = kv::WildcardMatch(text, pattern);
    // A "*" after any pattern only widens it; a pattern matches itself
    // when it holds no wildcard.
    if (match) Check(kv::WildcardMatch(text, std::string(pattern) + "*"));
    if (pattern.find_first_of("*?") == std::string_view::npos)
        Check(kv::WildcardMatch(pattern, pattern));

    const kv::ParsedLocation parsed = kv::ParseLocation(input, false, 1, 2);
    Check(parsed.folder == kv::TrimBlanks(parsed.folder));
    Check(parsed.folder.size() <= input.size());
    if (input.find_first_of("<>") == std::string_view::npos) Check(!parsed.subfolders);

    const auto pieces = kv::SplitUnique(input);
    for (size_t i = 0; i < pieces.size(); ++i) {
        Check(!pieces[i].empty() && pieces[i].find(';') == std::string::npos);
        for (size_t j = 0; j < i; ++j) Check(!kv::EqualsNoCase(pieces[i], pieces[j]));
    }
    return 0;
}
