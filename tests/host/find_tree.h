// Folder trees on disk for the search tests: made with the wide functions
// (Cyrillic names, paths beyond MAX_PATH), attributes set with
// SetFileAttributesA, everything removed again at the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kvtest {

std::wstring WideOf(const std::string& utf8);
// The name as the ANSI functions see it: '?' for what the code page lacks.
std::string AnsiOf(const std::string& utf8);

class FindTree {
public:
    FindTree();
    ~FindTree();
    FindTree(const FindTree&) = delete;
    FindTree& operator=(const FindTree&) = delete;

    // Root folder as ANSI text, ending with "\".
    const std::string& root() const { return root_; }
    // Relative paths in UTF-8 with "\" between parts; folders on the way
    // are made.
    void File(const std::string& relative, DWORD attributes = 0);
    void Folder(const std::string& relative, DWORD attributes = 0);
    std::string Path(const std::string& relative) const { return root_ + AnsiOf(relative); }

private:
    std::wstring wideRoot_;  // with the "\\?\" prefix
    std::string root_;
};

// Full paths in the order a one-mask search reports them: a folder's own
// entries as the system lists them, then each subfolder in listing order.
std::vector<std::string> ReportOrder(const std::string& folder,
                                     const std::vector<std::string>& wanted);

// Every entry followed by CR LF.
std::string ListText(const std::vector<std::string>& entries);

}  // namespace kvtest
