// Fuzzes the parameter readers: no crash, no undefined behaviour, and what
// they accept reads back to the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "param_text.h"
#include "subroutines.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    int32_t value = 0;
    if (kv::ParseIntParam(text, value)) {
        int32_t again = 0;
        Check(kv::ParseIntParam(kv::FormatSigned(value), again) && again == value);
        Check(kv::IsIntegerText(text));
        bool b = false;
        Check(!kv::ParseBoolText(text, '.', b));  // an integer is never a boolean
    }

    for (const char separator : {'.', ','}) {
        double number = 0;
        if (kv::ParseFloatText(text, separator, number)) Check(number == number);
        bool b = false;
        kv::ParseBoolText(text, separator, b);
    }

    // Option words: split the input in two at its first byte.
    if (size > 1) {
        const std::string_view separator = text.substr(0, 1);
        const std::string_view rest = text.substr(1);
        kv::HasOptionWord(rest, separator, rest.substr(0, rest.size() / 2));
        Check(kv::RemoveBlanks(rest).find(' ') == std::string_view::npos);
        kv::SubroutineListHas(rest, rest.substr(rest.size() / 2));
    }
    return 0;
}
