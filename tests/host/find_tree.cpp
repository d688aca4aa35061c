#include "find_tree.h"

#include <algorithm>
#include <atomic>

namespace kvtest {
namespace {

void RemoveAll(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveAll(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

void Collect(const std::string& folder, const std::vector<std::string>& wanted,
             std::vector<std::string>& out) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> folders;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + name;
        if (std::find(wanted.begin(), wanted.end(), path) != wanted.end()) out.push_back(path);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(path + "\\");
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    for (const std::string& sub : folders) Collect(sub, wanted, out);
}

}  // namespace

std::wstring WideOf(const std::string& utf8) {
    std::wstring out(utf8.size() + 1, L'\0');
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return out;
}

std::string AnsiOf(const std::string& utf8) {
    const std::wstring wide = WideOf(utf8);
    std::string out(wide.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return out;
}

FindTree::FindTree() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    folder +=
        L"kvfind-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    RemoveAll(L"\\\\?\\" + folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    wideRoot_ = L"\\\\?\\" + folder;
    char ansi[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    root_ = std::string(ansi) + "\\";
}

FindTree::~FindTree() { RemoveAll(wideRoot_); }

void FindTree::Folder(const std::string& relative, DWORD attributes) {
    const std::wstring wide = WideOf(relative);
    for (size_t cut = wide.find(L'\\'); cut != std::wstring::npos; cut = wide.find(L'\\', cut + 1))
        CreateDirectoryW((wideRoot_ + L"\\" + wide.substr(0, cut)).c_str(), nullptr);
    CreateDirectoryW((wideRoot_ + L"\\" + wide).c_str(), nullptr);
    if (attributes != 0) SetFileAttributesA(Path(relative).c_str(), attributes);
}

void FindTree::File(const std::string& relative, DWORD attributes) {
    const size_t cut = relative.rfind('\\');
    if (cut != std::string::npos) Folder(relative.substr(0, cut));
    const std::wstring path = wideRoot_ + L"\\" + WideOf(relative);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (attributes != 0) SetFileAttributesA(Path(relative).c_str(), attributes);
}

std::vector<std::string> ReportOrder(const std::string& folder,
                                     const std::vector<std::string>& wanted) {
    std::vector<std::string> out;
    Collect(folder, wanted, out);
    return out;
}

std::string ListText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += e + "\r\n";
    return text;
}

}  // namespace kvtest
