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
    const std::string_view pool(pool_);
    if (folders_.empty() ||
        pool.substr(folders_.back().start, folders_.back().end - folders_.back().start) != folder) {
        folders_.push_back({pool_.size(), pool_.size() + folder.size()});
        pool_.append(folder);
    }
    entries_.push_back({folders_.size() - 1, {pool_.size(), pool_.size() + name.size()}});
    pool_.append(name);
}

void FoundFiles::clear() {
    pool_.clear();
    pool_.shrink_to_fit();
    folders_.clear();
    folders_.shrink_to_fit();
    entries_.clear();
    entries_.shrink_to_fit();
}

std::string FoundFiles::Text(const FoundFileOptions& options) const {
    const bool bare = options.namesOnly && !options.subFolders;
    const bool noExt = bare && options.noExt;
    const std::string_view pool(pool_);
    const auto text = [&](Span s) { return pool.substr(s.start, s.end - s.start); };
    size_t size = 0;
    for (const auto& [folder, name] : entries_)
        size +=
            (bare ? 0 : folders_[folder].end - folders_[folder].start) + name.end - name.start + 2;
    std::string out;
    out.reserve(size);
    std::string full;
    for (const auto& [folder, nameSpan] : entries_) {
        const std::string_view name = text(nameSpan);
        if (!bare) {
            out.append(text(folders_[folder])).append(name);
        } else if (noExt) {
            // The extension of the full path: a name without one takes none
            // from its folder.
            full.assign(text(folders_[folder])).append(name);
            const std::string_view ext = FileExtension(full);
            if (ext.empty()) {
                out.append(name);
            } else {
                AppendWithout(out, name, ext);
            }
        } else {
            out.append(name);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace kv
