#include "file_attribute_actions.h"

#include <windows.h>

#include <array>
#include <utility>

#include "host_bridge.h"
#include "param_text.h"
#include "params.h"
#include "shell_paths.h"

namespace kv {
namespace {

constexpr std::array<std::pair<std::string_view, uint32_t>, 5> kAttributeWords = {{
    {"Hidden", FILE_ATTRIBUTE_HIDDEN},
    {"ReadOnly", FILE_ATTRIBUTE_READONLY},
    {"System", FILE_ATTRIBUTE_SYSTEM},
    {"Archive", FILE_ATTRIBUTE_ARCHIVE},
    {"Directory", FILE_ATTRIBUTE_DIRECTORY},
}};

// The bits SetFileAttributes accepts; the others are the file system's own.
constexpr uint32_t kSettableBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                   FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

void ReportSetFailure(const std::string& path, DWORD error) {
    ReportError("Cannot set attributes of \"" + path + "\". " + SystemReason(error));
}

// `path` as the file functions take it (SystemPath: full and extended, so
// that long paths are reached), and its attributes; a path the system
// could not take is never handed to it.
struct SystemFile {
    explicit SystemFile(const std::string& path) {
        const std::wstring wide = WideFromAnsi(path);
        name = SystemPath(wide);
        if (!name.empty()) {
            attributes = ::GetFileAttributesW(name.c_str());
            error = ::GetLastError();
        } else {
            error = wide.empty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE;
        }
    }
    std::wstring name;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    DWORD error = ERROR_SUCCESS;  // of the reading, when it failed
};

}  // namespace

std::optional<uint32_t> AttributeBitOf(std::string_view word) {
    for (const auto& [name, bit] : kAttributeWords) {
        if (EqualsNoCase(word, name)) return bit;
    }
    return std::nullopt;
}

namespace actions {

bool qvFileGetAtrribute(std::string path, std::string word, std::string variable) {
    const DWORD attributes = SystemFile(path).attributes;
    if (attributes == INVALID_FILE_ATTRIBUTES || word.empty()) {
        ReportError("Failed to get attributes a file or folder!");
        return true;
    }
    const auto bit = AttributeBitOf(word);
    SetVarBool(variable, bit.has_value() && (attributes & *bit) != 0);
    return true;
}

bool qvFileSetAtrribute(std::string path, std::string word, std::string flag) {
    bool on = false;
    if (!ParseBoolParam(flag, on)) return false;
    if (word.empty()) return true;
    const SystemFile file(path);
    const DWORD old = file.attributes;
    if (old == INVALID_FILE_ATTRIBUTES) {
        ReportSetFailure(path, file.error);
        return false;
    }
    const auto bit = AttributeBitOf(word);
    if (!bit || *bit == FILE_ATTRIBUTE_DIRECTORY) return true;
    const DWORD changed = on ? (old | *bit) : (old & ~*bit);
    if (changed == old) return true;
    // FILE_ATTRIBUTE_NORMAL stands alone; with any other bit it is refused.
    DWORD written = changed & kSettableBits;
    if (written == 0) written = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileAttributesW(file.name.c_str(), written)) {
        ReportSetFailure(path, ::GetLastError());
        return false;
    }
    // Some file systems accept the write and keep nothing (Wine's view of
    // Linux files: ReadOnly on folders, Archive on files, special files).
    const DWORD now = ::GetFileAttributesW(file.name.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || ((now & *bit) != 0) != on) {
        ReportSetFailure(path, ERROR_NOT_SUPPORTED);
        return false;
    }
    return true;
}

}  // namespace actions
}  // namespace kv
