#include "search_paths.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>
#include <array>

#include "path_text.h"
#include "wide_paths.h"

namespace kv {
namespace {

// The drive letter of a path "X:\...", or 0.
wchar_t DriveOf(const std::wstring& full) {
    const bool drive =
        full.size() >= 3 && full[1] == L':' && RootLength(full) == 3 &&
        ((full[0] >= L'A' && full[0] <= L'Z') || (full[0] >= L'a' && full[0] <= L'z'));
    return drive ? static_cast<wchar_t>(full[0] & ~0x20) : 0;
}

// A network drive with a live connection. The drive type comes from the
// process's device map and the connection from the local redirector's
// table: no server is asked.
bool IsConnectedNetworkDrive(wchar_t letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    if (::GetDriveTypeW(root) != DRIVE_REMOTE) return false;
    const wchar_t device[] = {letter, L':', L'\0'};
    std::array<wchar_t, MAX_PATH> remote{};
    auto length = static_cast<DWORD>(remote.size());
    const DWORD result = ::WNetGetConnectionW(device, remote.data(), &length);
    return result == NO_ERROR || result == ERROR_MORE_DATA;
}

// The UNC form of a path on a network drive; "" when there is none.
std::wstring UniversalName(const std::wstring& full) {
    std::vector<char> buffer(sizeof(UNIVERSAL_NAME_INFOW) + 2 * MAX_PATH * sizeof(wchar_t));
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto size = static_cast<DWORD>(buffer.size());
        const DWORD result =
            ::WNetGetUniversalNameW(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
        if (result == ERROR_MORE_DATA && size > buffer.size()) {
            buffer.resize(size);
            continue;
        }
        if (result != NO_ERROR) return {};
        const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data());
        return info->lpUniversalName != nullptr ? info->lpUniversalName : std::wstring();
    }
    return {};
}

}  // namespace

SearchFolders::SearchFolders(const TFileCriteria& files) {
    // The texts are the ones the targets will be built from: collected by
    // building them once on a copy. Each drive is asked about once.
    std::array<int, 26> connected{};  // 0 not asked, 1 yes, 2 no
    TFileCriteria scratch = files;
    scratch.InvalidateTargets();
    const auto collect = [&](const std::string& text) -> std::string {
        const auto known = std::find_if(folders_.begin(), folders_.end(),
                                        [&](const Folder& f) { return f.text == text; });
        if (known != folders_.end()) return known->expanded;
        Folder& folder = folders_.emplace_back();
        folder.text = text;
        const std::wstring wide = WideFromAnsi(text);
        folder.full = FullPath(wide);
        if (folder.full.empty()) folder.full = wide;  // left as written
        if (const wchar_t letter = DriveOf(folder.full)) {
            int& state = connected[static_cast<size_t>(letter - L'A')];
            if (state == 0) state = IsConnectedNetworkDrive(letter) ? 1 : 2;
            folder.network = state == 1;
        }
        folder.expanded = AnsiFromWide(WithTrailingDelimiter(folder.full));
        return folder.expanded;
    };
    scratch.TargetPaths({collect, &SameSearchFolder});
}

void SearchFolders::Resolve() {
    for (Folder& folder : folders_) {
        if (!folder.network) continue;
        folder.network = false;
        const std::wstring universal = UniversalName(folder.full);
        if (!universal.empty()) folder.expanded = AnsiFromWide(WithTrailingDelimiter(universal));
    }
}

std::string SearchFolders::Expand(const std::string& text) const {
    for (const Folder& folder : folders_)
        if (folder.text == text) return folder.expanded;
    return {};
}

FolderRules SearchFolders::Rules() const {
    return {[this](const std::string& text) { return Expand(text); }, &SameSearchFolder};
}

bool SameSearchFolder(std::string_view a, std::string_view b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                            static_cast<int>(a.size()), b.data(),
                            static_cast<int>(b.size())) == CSTR_EQUAL;
}

LeadByteSet SystemLeadBytes() {
    LeadByteSet lead;
    for (unsigned b = 0x80; b < 0x100; ++b)
        if (::IsDBCSLeadByte(static_cast<BYTE>(b))) lead.set(b);
    return lead;
}

}  // namespace kv
