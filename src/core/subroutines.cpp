#include "subroutines.h"

#include "param_text.h"

namespace kv {

bool SubroutineListHas(std::string_view list, std::string_view name) {
    size_t start = 0;
    for (;;) {
        const size_t cut = list.find("\r\n", start);
        const std::string_view line = list.substr(
            start, cut == std::string_view::npos ? std::string_view::npos : cut - start);
        if (EqualsNoCase(line, name)) return true;
        if (cut == std::string_view::npos) return false;
        start = cut + 2;
    }
}

std::string GoSubLine(std::string_view name) {
    std::string line = "GoSub \"";
    line += name;
    line += '"';
    return line;
}

}  // namespace kv
