// File-name masks, compiled once and tested against many names.
//
//   *      any run of characters, the empty run included; "**" is one "*",
//          and a "?" right after a "*" is absorbed by it ("*?" is "*")
//   ?      exactly one character
//   [...]  one character of the set: single characters and ranges "a-z";
//          "[!...]" one character outside it
//
// The whole name must match the whole mask. Only the ASCII letters match in
// either case. With a multi-byte code page, a lead byte and its trail byte
// are one character; inside a set such a character stands for nothing.
//
// Matching takes O(name x mask) time at worst: each element but "*" takes
// exactly one character, so the matcher only ever returns to the last "*".
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The lead bytes of the system's multi-byte code page (none for the
// single-byte ones).
using LeadByteSet = std::bitset<256>;

class TMask {
public:
    // Compiles `mask`. An invalid mask compiles to an error that only shows
    // when a name is tested: see valid() and error().
    explicit TMask(std::string_view mask, const LeadByteSet& leadBytes = {});

    // False for a set without its "]", an empty set, a "-" with nothing
    // before it in a set, or more than 30 elements that follow a "*".
    bool valid() const { return error_.empty(); }
    // "'mask' is an invalid mask at (n)": n is the 1-based position where
    // reading stopped.
    const std::string& error() const { return error_; }
    const std::string& text() const { return text_; }

    // Whether `name` matches; false for an invalid mask.
    bool Matches(std::string_view name) const;

    // How many elements follow a "*" at most.
    static constexpr int kMaxStarElements = 30;

private:
    enum class Kind : uint8_t { Star, Literal, DoubleLiteral, Any, Set, NotSet };
    struct Element {
        Kind kind;
        uint8_t first;   // the upper-cased byte, or the lead byte
        uint8_t second;  // the trail byte
        uint16_t set;    // index into sets_
    };

    bool MatchesOne(const Element& e, std::string_view name, size_t at, size_t unit) const;
    size_t UnitAt(std::string_view name, size_t at) const;
    void Fail(size_t position);

    std::string text_;
    std::string error_;
    std::vector<Element> elements_;
    std::vector<std::bitset<256>> sets_;
    LeadByteSet lead_;
};

// Upper-cases the ASCII letters only.
constexpr uint8_t AsciiUpper(uint8_t c) { return (c >= 'a' && c <= 'z') ? uint8_t(c - 32) : c; }

}  // namespace kv
