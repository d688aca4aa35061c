#include "url_text.h"

namespace kv {
namespace {

bool IsAlphaNumeric(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AppendEncoded(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

}  // namespace

std::string PercentEncode(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsAlphaNumeric(c)) {
            out += ch;
        } else {
            AppendEncoded(out, c);
        }
    }
    return out;
}

std::string EncodeWebAddress(std::string_view address) {
    // Letters, digits, the unreserved marks and the separators of an
    // address; a "%" already followed by two hexadecimal digits is kept.
    constexpr std::string_view kKept = "-._~:/?#[]@!$&'()*+,;=";
    auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    std::string out;
    out.reserve(address.size());
    for (size_t i = 0; i < address.size(); ++i) {
        const auto c = static_cast<unsigned char>(address[i]);
        if (IsAlphaNumeric(c) || kKept.find(address[i]) != std::string_view::npos) {
            out += address[i];
        } else if (c == '%' && i + 2 < address.size() && isHex(address[i + 1]) &&
                   isHex(address[i + 2])) {
            out += address[i];
        } else {
            AppendEncoded(out, c);
        }
    }
    return out;
}

}  // namespace kv
