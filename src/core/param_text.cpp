#include "param_text.h"

#include <charconv>
#include <cmath>

namespace kv {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a hexadecimal prefix at `pos`, or 0 when there is none.
size_t HexPrefixLength(std::string_view text, size_t pos) {
    if (pos >= text.size()) return 0;
    const char c = text[pos];
    if (c == '$' || c == 'x' || c == 'X') return 1;
    if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))
        return 2;
    return 0;
}

}  // namespace

bool ParseIntParam(std::string_view text, int32_t& value) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t prefix = HexPrefixLength(text, pos);
    const bool hex = prefix != 0;
    pos += prefix;
    if (pos >= text.size()) return false;

    // Accumulate in 64 bits and stop as soon as the limit is passed.
    const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexDigit(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16u : 10u) + static_cast<uint64_t>(digit);
        if (magnitude > limit) return false;
    }
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

bool IsIntegerText(std::string_view text) {
    int32_t ignored = 0;
    return ParseIntParam(text, ignored);
}

bool ParseFloatText(std::string_view text, char decimalSeparator, double& value) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;

    // Check the shape ourselves, then hand a '.'-form copy to from_chars.
    // `scale` tracks the decimal exponent of the first significant digit so
    // that an out-of-range result can be told apart as overflow or underflow.
    std::string plain;
    size_t pos = begin;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-') plain += '-';
        ++pos;
    }
    size_t digits = 0;
    int64_t scale = 0;
    bool significant = false;
    for (; pos < end && IsDigit(text[pos]); ++pos, ++digits) {
        plain += text[pos];
        if (significant || text[pos] != '0') {
            significant = true;
            ++scale;
        }
    }
    if (pos < end && text[pos] == decimalSeparator) {
        plain += '.';
        for (++pos; pos < end && IsDigit(text[pos]); ++pos, ++digits) {
            plain += text[pos];
            if (!significant && text[pos] == '0')
                --scale;
            else
                significant = true;
        }
    }
    if (digits == 0) return false;
    if (pos < end && (text[pos] == 'e' || text[pos] == 'E')) {
        plain += 'e';
        ++pos;
        bool negativeExponent = false;
        if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            plain += text[pos++];
        }
        int64_t exponent = 0;
        size_t expDigits = 0;
        for (; pos < end && IsDigit(text[pos]); ++pos, ++expDigits) {
            plain += text[pos];
            if (exponent < 100000) exponent = exponent * 10 + (text[pos] - '0');
        }
        if (expDigits == 0) return false;
        scale += negativeExponent ? -exponent : exponent;
    }
    if (pos != end) return false;

    double parsed = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (ptr != plain.data() + plain.size()) return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small underflows to zero; too large is not a number we accept.
        if (scale > 0) return false;
        parsed = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ParseBoolText(std::string_view text, char decimalSeparator, bool& value) {
    if (IsIntegerText(text)) return false;
    double number = 0;
    if (ParseFloatText(text, decimalSeparator, number)) {
        value = number != 0.0;
        return true;
    }
    if (EqualsNoCase(text, "true")) {
        value = true;
        return true;
    }
    if (EqualsNoCase(text, "false")) {
        value = false;
        return true;
    }
    return false;
}

bool HasOptionWord(std::string_view text, std::string_view separator, std::string_view word) {
    if (text.empty()) return false;
    if (separator.empty()) return EqualsNoCase(text, word);
    size_t start = 0;
    for (;;) {
        const size_t cut = text.find(separator, start);
        const std::string_view piece = text.substr(
            start, cut == std::string_view::npos ? std::string_view::npos : cut - start);
        if (EqualsNoCase(piece, word)) return true;
        if (cut == std::string_view::npos) return false;
        start = cut + separator.size();
    }
}

std::string RemoveBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string FormatUnsigned(uint32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatSigned(int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

const char* BoolText(bool value) { return value ? "True" : "False"; }

}  // namespace kv
