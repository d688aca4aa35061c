// Fuzzes mask compiling and matching: the first byte picks a lead byte for
// a multi-byte code page (0: none), the text up to the first newline is the
// mask, the rest the name. No crash, no undefined behaviour, an error only
// for masks that hold "[", and every mask matches itself when it holds no
// wildcard.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "search/file_mask.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    kv::LeadByteSet lead;
    if (data[0] >= 0x80) lead.set(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t cut = text.find('\n');
    const std::string_view mask = text.substr(0, cut);
    const std::string_view name =
        cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);

    const kv::TMask compiled(mask, lead);
    if (!compiled.valid()) {
        Check(mask.find('[') != std::string_view::npos || mask.find('*') != std::string_view::npos);
        Check(!compiled.Matches(name));
        return 0;
    }
    compiled.Matches(name);
    if (mask.find_first_of("*?[") == std::string_view::npos) Check(compiled.Matches(mask));
    // A "*" more only widens a mask, while it stays valid (with no lead
    // bytes: a lead byte before it would make a pair of the two).
    if (lead.none() && compiled.Matches(name)) {
        const kv::TMask wider(std::string(mask) + "*", lead);
        Check(!wider.valid() || wider.Matches(name));
    }
    return 0;
}
