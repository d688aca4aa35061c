// The entries a search reports, collected as they come (full path and where
// the name starts) and written out once, as the list the author receives:
// every entry followed by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    struct Entry {
        size_t start, name, end;
    };
    std::string pool_;
    std::vector<Entry> entries_;
};

}  // namespace kv
