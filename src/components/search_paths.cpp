#include "search_paths.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

namespace kv {

std::string ExpandSearchFolder(const std::string& folder) {
    if (folder.empty()) return {};
    std::string full(MAX_PATH, '\0');
    DWORD length = ::GetFullPathNameA(folder.c_str(), MAX_PATH, full.data(), nullptr);
    if (length >= MAX_PATH) {
        full.assign(length, '\0');
        length = ::GetFullPathNameA(folder.c_str(), length, full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return folder;  // left as written
    full.resize(length);
    if (full.size() >= 2 && full[1] == ':') {
        const char root[] = {full[0], ':', '\\', '\0'};
        if (::GetDriveTypeA(root) == DRIVE_REMOTE) {
            std::vector<char> buffer(sizeof(UNIVERSAL_NAME_INFOA) + 2 * MAX_PATH);
            auto size = static_cast<DWORD>(buffer.size());
            if (::WNetGetUniversalNameA(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(),
                                        &size) == NO_ERROR) {
                const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer.data());
                if (info->lpUniversalName != nullptr) full = info->lpUniversalName;
            }
        }
    }
    return full;
}

bool SameSearchFolder(std::string_view a, std::string_view b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                            static_cast<int>(a.size()), b.data(),
                            static_cast<int>(b.size())) == CSTR_EQUAL;
}

FolderRules SystemFolderRules() { return {&ExpandSearchFolder, &SameSearchFolder}; }

LeadByteSet SystemLeadBytes() {
    LeadByteSet lead;
    for (unsigned b = 0x80; b < 0x100; ++b)
        if (::IsDBCSLeadByte(static_cast<BYTE>(b))) lead.set(b);
    return lead;
}

}  // namespace kv
