// The entries a search reports, collected as they come (full path and where
// the name starts) and written out once, as the list the author receives:
// every entry followed by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

struct FoundFileOptions {
    bool subFolders = false;  // full paths, whatever else is asked
    bool namesOnly = false;   // bare names
    bool noExt = false;       // bare names without their extension text
};

class FoundFiles {
public:
    void Add(std::string_view folder, std::string_view name);
    size_t size() const { return entries_.size(); }
    void clear();

    // Full paths; with namesOnly (and without subFolders) the bare names, and
    // with noExt too, every occurrence of the extension removed from them.
    std::string Text(const FoundFileOptions& options) const;

private:
    // Folders are kept once for the run of entries that share them.
    struct Span {
        size_t start, end;
    };
    std::string pool_;
    std::vector<Span> folders_;
    std::vector<std::pair<size_t, Span>> entries_;  // folder index, name
};

}  // namespace kv
