#include "host_fixture.h"

#include <windows.h>

namespace kvtest {

std::string PluginPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "Kelvane.dll";
}

}  // namespace kvtest
