#include "var_store.h"

#include <utility>

namespace kvhost {

namespace {

bool IsNameBody(std::string_view inside) {
    return !inside.empty() && inside.find_first_of("[]\r\n") == std::string_view::npos;
}

}  // namespace

std::string VarStore::Key(std::string_view name) {
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
        name = name.substr(1, name.size() - 2);
    }
    return LowerAscii(name);
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void VarStore::Set(std::string_view name, std::string value) {
    values_[Key(name)] = std::move(value);
}

std::string VarStore::Get(std::string_view name) const {
    const auto it = values_.find(Key(name));
    return it == values_.end() ? std::string() : it->second;
}

bool VarStore::Has(std::string_view name) const { return values_.find(Key(name)) != values_.end(); }

void VarStore::Clear() { values_.clear(); }

std::string ExpandVariables(std::string_view text, const VarStore& vars) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('[', pos);
        if (open == std::string_view::npos) {
            break;
        }
        out.append(text.substr(pos, open - pos));
        const std::size_t close = text.find_first_of("[]", open + 1);
        const bool closed = close != std::string_view::npos && text[close] == ']';
        if (closed && IsNameBody(text.substr(open + 1, close - open - 1))) {
            out += vars.Get(text.substr(open + 1, close - open - 1));
            pos = close + 1;
        } else {
            out += '[';
            pos = open + 1;
        }
    }
    if (pos < text.size()) {
        out.append(text.substr(pos));
    }
    return out;
}

}  // namespace kvhost
