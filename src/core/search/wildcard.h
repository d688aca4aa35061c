// The filters' matcher: a pattern over a whole path.
//
//   *   any run of characters; "?" characters right after a "*" belong to it
//   ?   one character; a "?" that the pattern reaches when the text has run
//       out also matches nothing, so "a??" matches "a", "ab" and "abc"
//
// Other characters are equal when FilterCharMap gives them the same entry.
// The result is that of the classic recursive matcher, found in
// O(text x pattern) time: the set of pattern positions still alive is
// carried along the text instead of retrying every split.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

// Folds the ASCII letters to upper case; every other byte stands for itself.
extern const std::array<uint8_t, 256> FilterCharMap;

bool WildcardMatch(std::string_view text, std::string_view pattern);

}  // namespace kv
