// A program for the shell to start in the tests: writes its verb into
// FILE.VERB beside the file it was started for.
//   kelvane_marker VERB FILE
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string marker = std::string(argv[2]) + "." + argv[1];
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, argv[1], static_cast<DWORD>(strlen(argv[1])), &written, nullptr);
    CloseHandle(file);
    return 0;
}
