#include "path_text.h"

namespace kv {
namespace {

bool IsAnyDelimiter(wchar_t c) { return c == L'\\' || c == L'/'; }

// The delimiters of `path`: only "\" in an extended path.
struct Delimiters {
    bool extended;
    bool operator()(wchar_t c) const { return extended ? c == L'\\' : IsAnyDelimiter(c); }
};

enum class RootKind { kNone, kRooted, kDriveRelative, kDrive, kUnc, kPrefixed };

struct Root {
    RootKind kind = RootKind::kNone;
    size_t length = 0;
    bool namesFolder = false;  // the root is a folder (not a volume, not a drive's current one)
};

// Skips one component and the delimiter after it; true when there was one.
bool SkipComponent(std::wstring_view path, size_t& i, Delimiters delimiter) {
    const size_t start = i;
    while (i < path.size() && !delimiter(path[i])) ++i;
    const bool named = i > start;
    if (i < path.size()) ++i;
    return named;
}

bool IsUncWord(std::wstring_view path, size_t at, Delimiters delimiter) {
    if (path.size() < at + 3) return false;
    const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
    return upper(path[at]) == L'U' && upper(path[at + 1]) == L'N' && upper(path[at + 2]) == L'C' &&
           (path.size() == at + 3 || delimiter(path[at + 3]));
}

Root ParseRoot(std::wstring_view path) {
    const Delimiters delimiter{IsExtendedPath(path)};
    Root root;
    if (path.empty()) return root;
    if (delimiter.extended || IsDevicePath(path)) {
        root.kind = RootKind::kPrefixed;
        size_t i = 4;
        if (IsUncWord(path, i, delimiter)) {
            i += 3;
            if (i < path.size()) ++i;
            const bool server = SkipComponent(path, i, delimiter);
            const bool share = SkipComponent(path, i, delimiter);
            root.namesFolder = server && share;
        } else {
            SkipComponent(path, i, delimiter);
            root.namesFolder = delimiter(path[i - 1]) && i > 5;
        }
        root.length = i;
        return root;
    }
    if (path.size() >= 2 && IsAnyDelimiter(path[0]) && IsAnyDelimiter(path[1])) {
        root.kind = RootKind::kUnc;
        size_t i = 2;
        const bool server = SkipComponent(path, i, delimiter);
        const bool share = SkipComponent(path, i, delimiter);
        root.namesFolder = server && share;
        root.length = i;
        return root;
    }
    if (path.size() >= 2 && path[1] == L':') {
        const bool delimited = path.size() > 2 && IsAnyDelimiter(path[2]);
        root.kind = delimited ? RootKind::kDrive : RootKind::kDriveRelative;
        root.length = delimited ? 3 : 2;
        root.namesFolder = delimited;
        return root;
    }
    if (IsAnyDelimiter(path[0])) {
        root.kind = RootKind::kRooted;
        root.length = 1;
        root.namesFolder = true;
    }
    return root;
}

bool EndsWithDelimiter(std::wstring_view path) {
    return !path.empty() && Delimiters{IsExtendedPath(path)}(path.back());
}

// The length of `path` without its trailing delimiters, never below its root.
size_t TrimmedLength(std::wstring_view path) {
    const Delimiters delimiter{IsExtendedPath(path)};
    const size_t root = RootLength(path);
    size_t length = path.size();
    while (length > root && delimiter(path[length - 1])) --length;
    return length;
}

}  // namespace

bool IsExtendedPath(std::wstring_view path) { return path.substr(0, 4) == L"\\\\?\\"; }

bool IsDevicePath(std::wstring_view path) {
    return path.size() >= 4 && IsAnyDelimiter(path[0]) && IsAnyDelimiter(path[1]) &&
           (path[2] == L'.' || path[2] == L'?') && IsAnyDelimiter(path[3]) && !IsExtendedPath(path);
}

size_t RootLength(std::wstring_view path) { return ParseRoot(path).length; }

bool IsRootPath(std::wstring_view path) {
    const Root root = ParseRoot(path);
    if (!root.namesFolder) return false;
    const Delimiters delimiter{IsExtendedPath(path)};
    for (size_t i = root.length; i < path.size(); ++i)
        if (!delimiter(path[i])) return false;
    return true;
}

bool IsFullPath(std::wstring_view path) {
    const RootKind kind = ParseRoot(path).kind;
    return kind == RootKind::kDrive || kind == RootKind::kUnc || kind == RootKind::kPrefixed;
}

std::wstring WithTrailingDelimiter(std::wstring_view path) {
    std::wstring out(path);
    if (!out.empty() && !EndsWithDelimiter(out)) out += L'\\';
    return out;
}

std::wstring WithoutTrailingDelimiter(std::wstring_view path) {
    return std::wstring(path.substr(0, TrimmedLength(path)));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    while (!name.empty() && IsAnyDelimiter(name.front())) name.remove_prefix(1);
    if (folder.empty()) return std::wstring(name);
    const std::wstring_view kept = folder.substr(0, TrimmedLength(folder));
    std::wstring out;
    out.reserve(kept.size() + 1 + name.size());
    out.append(kept);
    if (!EndsWithDelimiter(kept)) out += L'\\';
    out.append(name);
    return out;
}

std::wstring ExtendedPath(std::wstring_view full) {
    const Root root = ParseRoot(full);
    const bool unc = root.kind == RootKind::kUnc && root.namesFolder;
    if (root.kind != RootKind::kDrive && !unc) {
        // Extended and device paths go as written; other paths cannot be
        // made extended.
        if (full.size() > kLongestPath) return {};
        return std::wstring(full);
    }
    std::wstring out = unc ? L"\\\\?\\UNC\\" : L"\\\\?\\";
    const std::wstring_view body = unc ? full.substr(2) : full;
    if (out.size() + body.size() > kLongestPath) {
        // Collapsing may shorten it; only then is it counted exactly.
        size_t length = out.size();
        for (size_t i = 0; i < body.size(); ++i)
            if (!(IsAnyDelimiter(body[i]) && i > 0 && IsAnyDelimiter(body[i - 1]))) ++length;
        if (length > kLongestPath) return {};
    }
    out.reserve(out.size() + body.size());
    for (const wchar_t c : body) {
        if (!IsAnyDelimiter(c)) {
            out += c;
        } else if (out.back() != L'\\') {
            out += L'\\';
        }
    }
    return out;
}

}  // namespace kv
