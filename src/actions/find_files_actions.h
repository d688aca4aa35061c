// The find-files action: a search by masks over folders, inside the call or
// in the background, delivered as one list in the author's variable, its
// count in "[qvFindFilesCount]", and a call of the author's subroutine.
#pragma once

#include <string>

namespace kv::actions {

// Mode "Find" starts a search (options "Async", "SubFolders", "NamesOnly",
// "NoExt" joined by "+"); "Abort", "Suspend" and "Resume" steer a running
// one. False only when an invalid mask stopped a search inside the call;
// its message is then in "[LastError]", written before the results.
bool qvFindFiles(std::string masks, std::string folders, std::string options,
                 std::string subroutine, std::string variable, std::string mode);

// Frees the search engine, waiting for its worker (at unload).
void ReleaseFindFiles();

}  // namespace kv::actions
