#include "file_mask.h"

namespace kv {

TMask::TMask(std::string_view mask, const LeadByteSet& leadBytes) : text_(mask), lead_(leadBytes) {
    const auto at = [&](size_t i) { return static_cast<uint8_t>(mask[i]); };
    int afterStar = 0;
    size_t i = 0;
    // Counts an element that follows a "*"; true when there are too many.
    const auto countCard = [&](size_t stop) {
        if (elements_.size() < 2 || elements_[elements_.size() - 2].kind != Kind::Star)
            return false;
        if (++afterStar <= kMaxStarElements) return false;
        Fail(stop);
        return true;
    };
    while (i < mask.size()) {
        const uint8_t c = at(i);
        if (c == '*') {
            if (elements_.empty() || elements_.back().kind != Kind::Star)
                elements_.push_back({Kind::Star, 0, 0, 0});
            // Every "*" and "?" that follows belongs to this one.
            while (i < mask.size() && (mask[i] == '*' || mask[i] == '?')) ++i;
            continue;
        }
        if (c == '?') {
            elements_.push_back({Kind::Any, 0, 0, 0});
            ++i;
        } else if (c == '[') {
            size_t j = i + 1;
            const bool negate = j < mask.size() && mask[j] == '!';
            if (negate) ++j;
            std::bitset<256> set;
            bool any = false;
            for (;;) {
                if (j >= mask.size()) {
                    Fail(mask.size() + 1);
                    return;
                }
                const uint8_t s = at(j);
                if (s == ']') {
                    if (!any) {
                        Fail(j + 1);
                        return;
                    }
                    ++j;
                    break;
                }
                if (s == '-') {
                    Fail(j + 1);
                    return;
                }
                any = true;
                if (lead_[s] && j + 1 < mask.size()) {  // a double-byte character: ignored
                    j += 2;
                    continue;
                }
                const uint8_t low = AsciiUpper(s);
                ++j;
                if (j + 1 < mask.size() && mask[j] == '-' && mask[j + 1] != ']') {
                    const uint8_t high = AsciiUpper(at(j + 1));
                    for (unsigned v = low; v <= high; ++v) set.set(v);
                    j += 2;
                } else {
                    set.set(low);
                    // "a-]": the "-" stands for itself.
                    if (j + 1 < mask.size() && mask[j] == '-' && mask[j + 1] == ']') {
                        set.set('-');
                        ++j;
                    }
                }
            }
            sets_.push_back(set);
            elements_.push_back(
                {negate ? Kind::NotSet : Kind::Set, 0, 0, static_cast<uint16_t>(sets_.size() - 1)});
            i = j;
        } else if (lead_[c] && i + 1 < mask.size()) {
            elements_.push_back({Kind::DoubleLiteral, c, at(i + 1), 0});
            i += 2;
        } else {
            elements_.push_back({Kind::Literal, AsciiUpper(c), 0, 0});
            ++i;
        }
        if (countCard(i + 1)) return;
    }
    // A final "*" counts as an element of its own.
    if (!elements_.empty() && elements_.back().kind == Kind::Star) {
        elements_.push_back({Kind::Star, 0, 0, 0});
        const bool tooMany = countCard(mask.size() + 1);
        elements_.pop_back();
        if (tooMany) return;
    }
}

void TMask::Fail(size_t position) {
    error_ = "'" + text_ + "' is an invalid mask at (" + std::to_string(position) + ")";
    elements_.clear();
    sets_.clear();
}

size_t TMask::UnitAt(std::string_view name, size_t at) const {
    return (lead_[static_cast<uint8_t>(name[at])] && at + 1 < name.size()) ? 2 : 1;
}

bool TMask::MatchesOne(const Element& e, std::string_view name, size_t at, size_t unit) const {
    const auto c = static_cast<uint8_t>(name[at]);
    switch (e.kind) {
    case Kind::Any:
        return true;
    case Kind::Literal:
        return unit == 1 && AsciiUpper(c) == e.first;
    case Kind::DoubleLiteral:
        return unit == 2 && c == e.first && static_cast<uint8_t>(name[at + 1]) == e.second;
    case Kind::Set:
        return unit == 1 && sets_[e.set][AsciiUpper(c)];
    case Kind::NotSet:
        return unit == 2 || !sets_[e.set][AsciiUpper(c)];
    case Kind::Star:
        break;
    }
    return false;
}

bool TMask::Matches(std::string_view name) const {
    if (!valid()) return false;
    constexpr size_t kNone = static_cast<size_t>(-1);
    const size_t count = elements_.size();
    size_t n = 0, e = 0;
    size_t starElement = kNone, starName = 0;
    while (n < name.size()) {
        if (e < count && elements_[e].kind == Kind::Star) {
            starElement = ++e;
            starName = n;
            continue;
        }
        const size_t unit = UnitAt(name, n);
        if (e < count && MatchesOne(elements_[e], name, n, unit)) {
            n += unit;
            ++e;
            continue;
        }
        if (starElement == kNone) return false;
        // Let the last "*" take one more character and try again from there.
        starName += UnitAt(name, starName);
        n = starName;
        e = starElement;
    }
    while (e < count && elements_[e].kind == Kind::Star) ++e;
    return e == count;
}

}  // namespace kv
