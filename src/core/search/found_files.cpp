#include "found_files.h"

#include "search_criteria.h"

namespace kv {
namespace {

void AppendWithout(std::string& out, std::string_view name, std::string_view cut) {
    for (size_t at = 0;;) {
        const size_t hit = name.find(cut, at);
        out.append(name.substr(at, hit == std::string_view::npos ? hit : hit - at));
        if (hit == std::string_view::npos) return;
        at = hit + cut.size();
    }
}

}  // namespace

void FoundFiles::Add(std::string_view folder, std::string_view name) {
    const size_t start = pool_.size();
    pool_.append(folder).append(name);
    entries_.push_back({start, start + folder.size(), pool_.size()});
}

void FoundFiles::clear() {
    pool_.clear();
    pool_.shrink_to_fit();
    entries_.clear();
    entries_.shrink_to_fit();
}

std::string FoundFiles::Text(const FoundFileOptions& options) const {
    const bool bare = options.namesOnly && !options.subFolders;
    const bool noExt = bare && options.noExt;
    std::string out;
    out.reserve(pool_.size() + 2 * entries_.size());
    const std::string_view pool(pool_);
    for (const Entry& e : entries_) {
        const std::string_view full = pool.substr(e.start, e.end - e.start);
        const std::string_view name = pool.substr(e.name, e.end - e.name);
        const std::string_view ext = noExt ? FileExtension(full) : std::string_view();
        if (!ext.empty()) {
            AppendWithout(out, name, ext);
        } else {
            out.append(bare ? name : full);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace kv
