// The system's side of the search criteria: folder texts made absolute and
// put in their network form, folders compared, and the lead bytes of the
// ANSI code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "search/file_mask.h"
#include "search/search_criteria.h"

namespace kv {

// The folders one search names, each made absolute against the current
// folder ("." and ".." resolved), with a trailing "\"; a folder on a
// mapped network drive in its network (UNC) form.
//
// Made on the owner thread, which reads the current folder and asks which
// drives are network drives with a live connection: questions the system
// answers from its own tables. The network forms need the network: Resolve
// looks them up later, on the worker of a threaded search, so a server that
// does not answer holds up the worker, never the owner. The owner's
// question loads the network providers, so the worker's lookup needs no
// library loaded (and no loader lock, which an unload holds while it waits
// for the worker).
class SearchFolders {
public:
    // Every folder text of `files`: its locations and path lines.
    explicit SearchFolders(const TFileCriteria& files);

    // The network forms of the folders on connected network drives. Slow
    // when a server does not answer; any thread.
    void Resolve();

    // Folder texts as they now stand: for TFileCriteria::TargetPaths.
    FolderRules Rules() const;

private:
    struct Folder {
        std::string text;      // as the criteria write it
        std::wstring full;     // absolute, or as written when that fails
        bool network = false;  // on a connected network drive
        std::string expanded;  // the target folder, ANSI, with its "\"
    };
    std::string Expand(const std::string& text) const;

    std::vector<Folder> folders_;
};

// The same folder: equal, letters in either case by the user's locale.
bool SameSearchFolder(std::string_view a, std::string_view b);

LeadByteSet SystemLeadBytes();

}  // namespace kv
