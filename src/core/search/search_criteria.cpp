#include "search_criteria.h"

#include <algorithm>

#include "param_text.h"
#include "wildcard.h"

namespace kv {
namespace {

void AddUnique(std::vector<std::string>& list, std::string entry) {
    for (const std::string& e : list)
        if (EqualsNoCase(e, entry)) return;
    list.push_back(std::move(entry));
}

void ReadLevel(std::string_view text, uint16_t& level) {
    int32_t value = 0;
    if (ParseIntParam(TrimBlanks(text), value)) level = static_cast<uint16_t>(value);
}

void AddTarget(TTargetPaths& targets, const FolderRules& rules, std::string_view location,
               const std::vector<std::string>& masks, bool subfolders, uint16_t minLevel,
               uint16_t maxLevel) {
    const ParsedLocation parsed = ParseLocation(location, subfolders, minLevel, maxLevel);
    // A location that names no folder searches nothing (never the drive's root).
    if (parsed.folder.empty()) return;
    std::string folder = rules.expand(parsed.folder);
    if (folder.empty()) return;
    if (folder.back() != '\\') folder += '\\';
    auto target = std::find_if(targets.begin(), targets.end(),
                               [&](const TTargetPath& t) { return rules.same(t.Folder, folder); });
    if (target == targets.end()) target = targets.insert(targets.end(), TTargetPath{});
    target->Folder = folder;
    target->Subfolders = parsed.subfolders;
    target->MinLevel = parsed.minLevel;
    target->MaxLevel = parsed.maxLevel;
    for (const std::string& mask : masks) AddUnique(target->FileMasks, mask);
    if (masks.empty()) AddUnique(target->FileMasks, "*.*");
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string> SplitUnique(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    for (;;) {
        const size_t cut = text.find(separator);
        const std::string_view piece = TrimBlanks(text.substr(0, cut));
        if (!piece.empty()) AddUnique(pieces, std::string(piece));
        if (cut == std::string_view::npos) return pieces;
        text.remove_prefix(cut + 1);
    }
}

ParsedLocation ParseLocation(std::string_view location, bool subfolders, uint16_t minLevel,
                             uint16_t maxLevel) {
    ParsedLocation out{std::string(), subfolders, minLevel, maxLevel};
    std::string_view folder = location;
    if (const size_t p = location.find('>'); p != std::string_view::npos) {
        folder = location.substr(p + 1);
        out.subfolders = true;
        if (p > 0) {
            const std::string_view prefix = TrimBlanks(location.substr(0, p));
            if (const size_t q = prefix.find('-'); q != std::string_view::npos) {
                ReadLevel(prefix.substr(0, q), out.minLevel);
                ReadLevel(prefix.substr(q + 1), out.maxLevel);
            } else {
                ReadLevel(prefix, out.maxLevel);
                out.minLevel = 0;
            }
        }
    } else if (const size_t lt = location.find('<'); lt != std::string_view::npos) {
        folder = location.substr(lt + 1);
        out.subfolders = false;
    }
    out.folder = std::string(TrimBlanks(folder));
    return out;
}

bool TAttributesCriteria::Matches(uint32_t a) const {
    if ((a & SetMask) != SetMask) return false;
    if ((~a & UnsetMask) != UnsetMask) return false;
    if (AnySetMask != 0 && (a & AnySetMask) == 0) return false;
    if (AnyUnsetMask != 0 && (~a & AnyUnsetMask) == 0) return false;
    return true;
}

TFileAttributeStatus TAttributesCriteria::Status(int index) const {
    if (index < 1 || index > 32) return TFileAttributeStatus::fsIgnore;
    const uint32_t bit = 1u << (index - 1);
    if (SetMask & bit) return TFileAttributeStatus::fsSet;
    if (UnsetMask & bit) return TFileAttributeStatus::fsUnset;
    if (AnySetMask & bit) return TFileAttributeStatus::fsAnySet;
    if (AnyUnsetMask & bit) return TFileAttributeStatus::fsAnyUnset;
    return TFileAttributeStatus::fsIgnore;
}

void TAttributesCriteria::SetStatus(int index, TFileAttributeStatus status) {
    if (index < 1 || index > 32) return;
    const uint32_t bit = 1u << (index - 1);
    SetMask &= ~bit;
    UnsetMask &= ~bit;
    AnySetMask &= ~bit;
    AnyUnsetMask &= ~bit;
    switch (status) {
    case TFileAttributeStatus::fsSet:
        SetMask |= bit;
        break;
    case TFileAttributeStatus::fsUnset:
        UnsetMask |= bit;
        break;
    case TFileAttributeStatus::fsAnySet:
        AnySetMask |= bit;
        break;
    case TFileAttributeStatus::fsAnyUnset:
        AnyUnsetMask |= bit;
        break;
    case TFileAttributeStatus::fsIgnore:
        break;
    }
}

void TFileCriteria::SetFileName(std::string value) {
    if (value != fileName_) InvalidateTargets();
    fileName_ = std::move(value);
}

void TFileCriteria::SetLocation(std::string value) {
    if (value != location_) InvalidateTargets();
    location_ = std::move(value);
}

void TFileCriteria::SetSubfolders(bool value) {
    if (value != subfolders_) InvalidateTargets();
    subfolders_ = value;
}

void TFileCriteria::SetMinLevel(uint16_t value) {
    if (value != minLevel_) InvalidateTargets();
    minLevel_ = value;
}

void TFileCriteria::SetMaxLevel(uint16_t value) {
    if (value != maxLevel_) InvalidateTargets();
    maxLevel_ = value;
}

void TFileCriteria::AddPath(std::string line) {
    const size_t before = paths_.size();
    AddUnique(paths_, std::move(line));
    if (paths_.size() != before) InvalidateTargets();
}

void TFileCriteria::SetPaths(const std::vector<std::string>& lines) {
    paths_.clear();
    InvalidateTargets();
    for (const std::string& line : lines) AddUnique(paths_, line);
}

void TFileCriteria::AddFilter(std::string line) { AddUnique(filters_, std::move(line)); }

void TFileCriteria::SetFilters(const std::vector<std::string>& lines) {
    filters_.clear();
    for (const std::string& line : lines) AddUnique(filters_, line);
}

void TFileCriteria::Clear() {
    SetFileName({});
    SetLocation({});
    SetPaths({});
    filters_.clear();
    SetSubfolders(true);
    SetMinLevel(0);
    SetMaxLevel(0);
}

std::string_view FileExtension(std::string_view path) {
    const size_t dot = path.find_last_of(".\\:");
    if (dot == std::string_view::npos || path[dot] != '.') return {};
    return path.substr(dot);
}

bool TFileCriteria::Matches(std::string_view folder, std::string_view name) const {
    if (filters_.empty()) return true;
    std::string path;
    path.reserve(folder.size() + name.size() + 1);
    path.append(folder).append(name);
    if (FileExtension(path).empty()) path += '.';
    for (const std::string& line : filters_) {
        if (!line.empty() && line[0] == '>') {
            if (WildcardMatch(path, std::string_view(line).substr(1))) return true;
        } else if (!line.empty() && line[0] == '<') {
            if (WildcardMatch(path, std::string_view(line).substr(1))) return false;
        } else if (WildcardMatch(path, line)) {
            return false;
        }
    }
    return true;
}

const TTargetPaths& TFileCriteria::TargetPaths(const FolderRules& rules) const {
    if (targets_) return *targets_;
    TTargetPaths targets;
    std::vector<std::string> masks = SplitUnique(fileName_);
    if (masks.empty()) masks.push_back("*.*");
    for (const std::string& location : SplitUnique(location_))
        AddTarget(targets, rules, location, masks, subfolders_, minLevel_, maxLevel_);
    for (const std::string& raw : paths_) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty()) continue;
        // The folder part runs up to and including the last "\" or ":".
        const size_t cut = line.find_last_of("\\:");
        const std::string_view folder =
            cut == std::string_view::npos ? std::string_view() : line.substr(0, cut + 1);
        const std::string_view name = line.substr(cut == std::string_view::npos ? 0 : cut + 1);
        const std::vector<std::string> one{name.empty() ? std::string("*.*") : std::string(name)};
        AddTarget(targets, rules, folder, one, subfolders_, minLevel_, maxLevel_);
    }
    targets_ = std::move(targets);
    return *targets_;
}

}  // namespace kv
