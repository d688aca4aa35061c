// A program for the shell to start in the tests: writes its verb into
// FILE.VERB beside the file it was started for.
//   kelvane_marker VERB FILE
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string marker = std::string(argv[2]) + "." + argv[1];
    // Written beside it and renamed into place: the test waiting for the
    // marker finds it whole, never open or half written.
    const std::string partial = marker + ".partial";
    HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, argv[1], static_cast<DWORD>(strlen(argv[1])), &written, nullptr);
    CloseHandle(file);
    if (!wrote || !MoveFileExA(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(partial.c_str());
        return 1;
    }
    return 0;
}
