// What a file search looks for: the folders and their masks and levels, the
// attribute criteria and the path filters. Path expansion is the system's,
// so it is handed in.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Removes the characters 0 to 32 from both ends.
std::string_view TrimBlanks(std::string_view text);

// Cuts `text` at every `separator`, trims the pieces and drops the empty
// ones and those already taken (ASCII letters in either case), in order.
std::vector<std::string> SplitUnique(std::string_view text, char separator = ';');

// A location with its level prefix: "" (the given settings), ">" (with
// subfolders), "<" (this folder only), "N>" (levels 0 to N), "A-B>" (levels
// A to B). A number that does not read keeps the given value; levels are
// unsigned 16-bit, so -1 wraps to 65535.
struct ParsedLocation {
    std::string folder;  // trimmed, not yet made absolute
    bool subfolders = true;
    uint16_t minLevel = 0;
    uint16_t maxLevel = 0;
};
ParsedLocation ParseLocation(std::string_view location, bool subfolders, uint16_t minLevel,
                             uint16_t maxLevel);

// Windows file attribute bits.
enum : uint32_t {
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrSystem = 0x4,
    kAttrDirectory = 0x10,
};

enum class TFileAttributeStatus : uint8_t { fsIgnore, fsSet, fsUnset, fsAnySet, fsAnyUnset };

struct TAttributesCriteria {
    uint32_t SetMask = 0;       // every bit set
    uint32_t UnsetMask = 0x16;  // every bit clear: hidden, system, folder
    uint32_t AnySetMask = 0;    // when not 0, one of its bits set
    uint32_t AnyUnsetMask = 0;  // when not 0, one of its bits clear

    bool Matches(uint32_t attributes) const;
    // By property index: the attribute's bit number plus 1 (1 read-only ...
    // 17 virtual).
    TFileAttributeStatus Status(int index) const;
    void SetStatus(int index, TFileAttributeStatus status);
    // Every attribute to fsIgnore (a new object excludes hidden, system and
    // folder entries; a cleared one does not).
    void Clear() { *this = TAttributesCriteria{0, 0, 0, 0}; }
};

// One folder to search: absolute, ending with "\".
struct TTargetPath {
    std::string Folder;
    std::vector<std::string> FileMasks;  // each once, in order
    bool Subfolders = true;
    uint16_t MinLevel = 0;
    uint16_t MaxLevel = 0;  // 0: no limit
};
using TTargetPaths = std::vector<TTargetPath>;

// Makes a folder text absolute ("" when it names nothing searchable), and
// tells whether two absolute folders are the same one.
struct FolderRules {
    std::function<std::string(const std::string&)> expand;
    std::function<bool(std::string_view, std::string_view)> same;
};

class TFileCriteria {
public:
    const std::string& FileName() const { return fileName_; }
    const std::string& Location() const { return location_; }
    const std::vector<std::string>& Paths() const { return paths_; }
    const std::vector<std::string>& Filters() const { return filters_; }
    bool Subfolders() const { return subfolders_; }
    uint16_t MinLevel() const { return minLevel_; }
    uint16_t MaxLevel() const { return maxLevel_; }

    void SetFileName(std::string value);
    void SetLocation(std::string value);
    void SetSubfolders(bool value);
    void SetMinLevel(uint16_t value);
    void SetMaxLevel(uint16_t value);
    // Each line once (ASCII letters in either case); a line already there is
    // not added again.
    void AddPath(std::string line);
    void SetPaths(const std::vector<std::string>& lines);
    void AddFilter(std::string line);
    void SetFilters(const std::vector<std::string>& lines);
    void Clear();

    // The filters: lines ">pattern" accept, "<pattern" and plain patterns
    // reject, the first line whose pattern matches decides; none: accepted.
    // A name without an extension is tested with a "." appended.
    bool Matches(std::string_view folder, std::string_view name) const;

    // The targets, built on first use and kept until an input changes.
    const TTargetPaths& TargetPaths(const FolderRules& rules) const;
    void InvalidateTargets() { targets_.reset(); }

private:
    std::string fileName_;
    std::string location_;
    std::vector<std::string> paths_;
    bool subfolders_ = true;
    uint16_t minLevel_ = 0;
    uint16_t maxLevel_ = 0;
    std::vector<std::string> filters_;
    mutable std::optional<TTargetPaths> targets_;
};

struct TSearchCriteria {
    TFileCriteria Files;
    TAttributesCriteria Attributes;

    bool Matches(std::string_view folder, std::string_view name, uint32_t attributes) const {
        return Attributes.Matches(attributes) && Files.Matches(folder, name);
    }
    void Clear() {
        Files.Clear();
        Attributes.Clear();
    }
};

// The extension of a path: from its last "." after the last "\" or ":" to
// the end; "" when there is none.
std::string_view FileExtension(std::string_view path);

}  // namespace kv
