#include "string_convert.h"

#include <array>
#include <cstdint>

#include "param_text.h"

namespace kv {
namespace {

constexpr std::array<const char*, kConvertModeCount> kModeNames{
    "AnsiToUtf8", "Utf8ToAnsi", "WinToKoi",   "KoiToWin",   "StrToAscii",  "AsciiToStr",
    "DosToWin",   "WinToDos",   "ColorToNeo", "ColorToRGB", "ColorToHTML",
};

// KOI8-R codes (RFC 1489) of the Windows-1251 letters 0xC0..0xFF, А..я.
constexpr std::array<uint8_t, 64> kKoiOfWinLetter{
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
    0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1,
    0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6, 0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0,
    0xD2, 0xD3, 0xD4, 0xD5, 0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1,
};
constexpr uint8_t kWinYo = 0xA8, kWinYoSmall = 0xB8;  // Ё ё
constexpr uint8_t kKoiYo = 0xB3, kKoiYoSmall = 0xA3;

struct ByteMaps {
    std::array<uint8_t, 256> winToKoi{};
    std::array<uint8_t, 256> koiToWin{};
};

// Both directions from the one list of 66 pairs; every other byte maps to
// itself.
constexpr ByteMaps MakeByteMaps() {
    ByteMaps maps;
    for (size_t b = 0; b < 256; ++b) {
        maps.winToKoi[b] = static_cast<uint8_t>(b);
        maps.koiToWin[b] = static_cast<uint8_t>(b);
    }
    const auto pair = [&maps](uint8_t win, uint8_t koi) {
        maps.winToKoi[win] = koi;
        maps.koiToWin[koi] = win;
    };
    for (size_t i = 0; i < kKoiOfWinLetter.size(); ++i) {
        pair(static_cast<uint8_t>(0xC0 + i), kKoiOfWinLetter[i]);
    }
    pair(kWinYo, kKoiYo);
    pair(kWinYoSmall, kKoiYoSmall);
    return maps;
}

constexpr ByteMaps kByteMaps = MakeByteMaps();

std::string MapBytes(std::string_view text, const std::array<uint8_t, 256>& map) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(map[static_cast<uint8_t>(c)]);
    return out;
}

void AppendUtf8(std::string& out, uint32_t codePoint) {
    const auto byte = [&out](uint32_t b) { out += static_cast<char>(b); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | codePoint >> 6);
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | codePoint >> 12);
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | codePoint >> 18);
        byte(0x80 | (codePoint >> 12 & 0x3F));
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

const char* ConvertModeName(ConvertMode mode) { return kModeNames[static_cast<size_t>(mode)]; }

std::optional<ConvertMode> ConvertModeOfName(std::string_view name) {
    for (size_t i = 0; i < kModeNames.size(); ++i) {
        if (EqualsNoCase(name, kModeNames[i])) return static_cast<ConvertMode>(i);
    }
    return std::nullopt;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const uint32_t high = unit - 0xD800u, low = text[i + 1] - 0xDC00u;
            AppendUtf8(out, 0x10000 + (high << 10 | low));
            ++i;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::optional<std::u16string> DecodeUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<uint8_t>(text[i++]);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            continue;
        }
        size_t more;
        uint32_t codePoint;
        if (lead >= 0xF0 && lead <= 0xF7) {
            more = 3;
            codePoint = lead & 0x07u;
        } else if (lead & 0x20) {
            more = 2;
            codePoint = lead & 0x0Fu;
        } else {
            more = 1;
            codePoint = lead & 0x1Fu;
        }
        if (text.size() - i < more) return std::nullopt;
        for (size_t k = 0; k < more; ++k) {
            const auto next = static_cast<uint8_t>(text[i++]);
            if (next < 0x80 || next > 0xBF) return std::nullopt;
            codePoint = codePoint << 6 | (next & 0x3Fu);
        }
        if (codePoint < 0x10000) {
            out += static_cast<char16_t>(codePoint);
        } else if (codePoint <= 0x10FFFF) {
            codePoint -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            out += u'\uFFFD';
        }
    }
    return out;
}

std::string WinToKoi(std::string_view text) { return MapBytes(text, kByteMaps.winToKoi); }
std::string KoiToWin(std::string_view text) { return MapBytes(text, kByteMaps.koiToWin); }

std::string StrToAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 4);
    for (char c : text) {
        out += '#';
        out += FormatUnsigned(static_cast<uint8_t>(c));
    }
    return out;
}

std::string AsciiToStr(std::string_view text) {
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t hash = text.find('#', start);
        if (hash == std::string_view::npos) hash = text.size();
        int32_t value = 0;
        if (hash > start && ParseIntParam(text.substr(start, hash - start), value)) {
            out += static_cast<char>(static_cast<uint32_t>(value) & 0xFF);
        }
        start = hash + 1;
    }
    return out;
}

}  // namespace kv
