// Real folder trees for the file and folder tests: built and removed with
// the wide API on extended paths, so any name and any depth can be made.
#pragma once

#include <windows.h>

#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace kvtest {

inline std::string Ansi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

inline std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

inline bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsDots(const wchar_t* name) {
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

// Removes a tree; links are removed, never followed.
inline void RemoveTree(const std::wstring& path) {
    const std::wstring extended = Long(path);
    const DWORD attributes = GetFileAttributesW(extended.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(extended.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(extended.c_str());
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((extended + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!IsDots(data.cFileName)) RemoveTree(path + L"\\" + data.cFileName);
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
    }
    RemoveDirectoryW(extended.c_str());
}

// The names directly inside a folder, sorted.
inline std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Long(folder) + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!IsDots(data.cFileName)) names.emplace_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Shares deletion: a file just renamed into place is still open, with
// DELETE access, in the program that renamed it until its MoveFileEx
// returns, and a reader that does not share deletion is refused until then.
inline std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// A scratch folder in the temporary folder, removed with everything in it.
class TempTree {
public:
    explicit TempTree(const std::string& tag) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"kelvane-" + std::wstring(tag.begin(), tag.end()) + L"-" +
                std::to_wstring(GetCurrentProcessId());
        RemoveTree(root_);
        EXPECT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    }
    ~TempTree() { RemoveTree(root_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& root() const { return root_; }
    std::string rootA() const { return Ansi(root_); }
    std::wstring operator[](const std::wstring& relative) const { return root_ + L"\\" + relative; }
    std::string A(const std::wstring& relative) const { return Ansi((*this)[relative]); }

    // Folders along the way are made as needed.
    void Folder(const std::wstring& relative) {
        size_t at = 0;
        while ((at = relative.find(L'\\', at + 1)) != std::wstring::npos)
            CreateDirectoryW(Long((*this)[relative.substr(0, at)]).c_str(), nullptr);
        CreateDirectoryW(Long((*this)[relative]).c_str(), nullptr);
        EXPECT_TRUE(PathExists((*this)[relative]));
    }
    void File(const std::wstring& relative, const std::string& bytes, DWORD attributes = 0) {
        const size_t slash = relative.rfind(L'\\');
        if (slash != std::wstring::npos) Folder(relative.substr(0, slash));
        const std::wstring path = Long((*this)[relative]);
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << Ansi(relative);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        if (attributes != 0) SetFileAttributesW(path.c_str(), attributes);
    }

private:
    std::wstring root_;
};

// A drive letter whose root is `folder`, for as long as the object lives:
// Wine's mount manager makes it as winecfg does (a Wine extension of the
// mount manager's controls). Elsewhere, or when no letter is free, letter()
// is 0 and nothing was made.
class TempDrive {
public:
    explicit TempDrive(const std::wstring& folder, UINT type = DRIVE_FIXED) {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (unixName == nullptr) return;
        char* unix = unixName(folder.c_str());
        if (unix == nullptr) return;
        const std::string mountPoint = unix;
        HeapFree(GetProcessHeap(), 0, unix);
        const DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Y'; letter >= L'D' && letter_ == 0; --letter) {
            if ((used & (1u << (letter - L'A'))) == 0 && Define(letter, mountPoint, type))
                letter_ = letter;
        }
    }
    ~TempDrive() {
        if (letter_ != 0) Define(letter_, std::string(), 0);
    }
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    wchar_t letter() const { return letter_; }
    std::string root() const { return std::string(1, static_cast<char>(letter_)) + ":\\"; }

private:
    // Wine's struct mountmgr_unix_drive and IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE;
    // an empty mount point removes the drive.
    struct UnixDrive {
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };
    static bool Define(wchar_t letter, const std::string& mountPoint, UINT type) {
        const DWORD control =
            CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        HANDLE manager =
            CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) return false;
        std::vector<char> buffer(sizeof(UnixDrive) + mountPoint.size() + 1, '\0');
        auto* drive = reinterpret_cast<UnixDrive*>(buffer.data());
        drive->size = static_cast<ULONG>(buffer.size());
        drive->type = type;
        drive->letter = static_cast<WCHAR>(letter + (L'a' - L'A'));
        if (!mountPoint.empty()) {
            std::memcpy(buffer.data() + sizeof(UnixDrive), mountPoint.c_str(), mountPoint.size());
            drive->mountPointOffset = sizeof(UnixDrive);
        }
        DWORD returned = 0;
        const BOOL ok =
            DeviceIoControl(manager, control, buffer.data(), static_cast<DWORD>(buffer.size()),
                            nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return ok != FALSE;
    }

    wchar_t letter_ = 0;
};

// Answers the shell's dialogs in this process from a second thread: presses
// `button` (IDYES, IDNO, ...) on every dialog box that appears, so a test
// can never leave a modal dialog waiting.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int button) : button_(button), thread_([this] { Run(); }) {}
    ~DialogAnswerer() {
        stop_ = true;
        thread_.join();
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    int answered() const { return answered_; }
    // From now on press `button`, counting afresh.
    void press(int button) {
        button_ = button;
        answered_ = 0;
    }

private:
    void Run() {
        while (!stop_) {
            EnumWindows(&DialogAnswerer::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        reinterpret_cast<DialogAnswerer*>(self)->Answer(window);
        return TRUE;
    }
    void Answer(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (process != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 ||
            !IsWindowVisible(window))
            return;
        HWND button = GetDlgItem(window, button_);
        if (button == nullptr || !IsWindowEnabled(button)) button = GetDlgItem(window, IDCANCEL);
        const int id = button != nullptr ? GetDlgCtrlID(button) : IDCANCEL;
        // Counted before the press: the press may end the operation, and
        // the test then reads the count while this thread has not run on.
        ++answered_;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        Sleep(300);  // one press per dialog
    }

    std::atomic<int> button_;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

}  // namespace kvtest
