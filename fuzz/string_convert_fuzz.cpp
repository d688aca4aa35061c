// Fuzzes the UTF-8 decoder and the "#" character-code reader: no crash, no
// undefined behaviour, and decoded or rendered texts come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "string_convert.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto wide = kv::DecodeUtf8(text)) {
        Check(wide->size() <= text.size());
        Check(kv::DecodeUtf8(kv::Utf16ToUtf8(*wide)) == wide);
    }
    const std::string bytes = kv::AsciiToStr(text);
    Check(bytes.size() <= text.size());
    Check(kv::AsciiToStr(kv::StrToAscii(text)) == text);
    Check(kv::KoiToWin(kv::WinToKoi(bytes)).size() == bytes.size());
    (void)kv::ConvertModeOfName(text);
    return 0;
}
