// kelvane-host: runs a NeoBook-style script against the plug-in.
//
//   kelvane-host [--dll PATH] [--files FOLDER] [--desktop NAME] [--trace] SCRIPT
//
// The script sees the folder it lies in as [ScriptFolder] and the plug-in's
// folder as [PlugInFolder]. Prints what the script prints; with --trace also
// every callback the plug-in made. With --desktop the script runs on a
// desktop of that name, so the input HostMouse makes reaches the script's
// windows only. Exits with 1 when the script fails or an Expect line does
// not hold.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "input.h"
#include "test_host.h"

namespace {

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    const size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? "." : folder.substr(0, cut);
}

int Usage() {
    std::fputs(
        "usage: kelvane-host [--dll PATH] [--files FOLDER] [--desktop NAME] [--trace] SCRIPT\n",
        stderr);
    return 2;
}

void PrintTrace(kvhost::TestHost& host, size_t from) {
    auto& calls = host.calls();
    for (size_t i = from; i < calls.size(); ++i) {
        std::string line = "  [" + calls[i].callback + "]";
        for (const std::string& a : calls[i].args) line += " \"" + a + "\"";
        std::puts(line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string dll = ExeFolder() + "\\Kelvane.dll";
    std::string files;
    std::string script;
    std::string desktop;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dll" && i + 1 < argc)
            dll = argv[++i];
        else if (arg == "--files" && i + 1 < argc)
            files = argv[++i];
        else if (arg == "--desktop" && i + 1 < argc)
            desktop = argv[++i];
        else if (arg == "--trace")
            trace = true;
        else if (!arg.empty() && arg[0] != '-' && script.empty())
            script = arg;
        else
            return Usage();
    }
    if (script.empty()) return Usage();
    if (!desktop.empty() && !kvhost::UseDesktopOfItsOwn(desktop.c_str())) {
        std::fprintf(stderr, "kelvane-host: cannot use the desktop %s\n", desktop.c_str());
        return 2;
    }

    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kelvane-host: cannot read %s\n", script.c_str());
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();

    kvhost::TestHost host;
    host.echo(true);
    // The script's own folder, so that a script can name files beside it.
    char full[MAX_PATH] = {};
    char* namePart = nullptr;
    if (GetFullPathNameA(script.c_str(), MAX_PATH, full, &namePart) != 0 && namePart != nullptr) {
        *namePart = '\0';
        std::string folder = full;
        if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        host.Vars().Set("[ScriptFolder]", folder);
    }
    host.SetFilesFolder(files);
    std::string error;
    if (!host.LoadScript(text.str(), error)) {
        std::fprintf(stderr, "kelvane-host: %s: %s\n", script.c_str(), error.c_str());
        return 1;
    }
    if (!host.Load(dll, error)) {
        std::fprintf(stderr, "kelvane-host: %s\n", error.c_str());
        return 1;
    }
    // The folder the plug-in was loaded from, as the plug-in itself finds it
    // (its help file lies there).
    char loaded[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(host.module(), loaded, MAX_PATH);
    if (length != 0 && length < MAX_PATH) {
        std::string folder(loaded, length);
        const size_t cut = folder.find_last_of("\\/");
        if (cut != std::string::npos) host.Vars().Set("[PlugInFolder]", folder.substr(0, cut));
    }
    host.StartUp();
    std::printf("Loaded %s by %s: %s (%zu registrations)\n", host.pluginName.c_str(),
                host.pluginAuthor.c_str(), host.pluginHint.c_str(), host.registrations().size());
    const size_t before = host.calls().size();
    const kvhost::RunResult result = host.RunScript();
    host.EndRun();
    if (trace) PrintTrace(host, before);

    for (const std::string& failure : result.expectationFailures)
        std::fprintf(stderr, "kelvane-host: %s\n", failure.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "kelvane-host: line %d: %s\n", result.errorLine, result.error.c_str());
        return 1;
    }
    return result.expectationFailures.empty() ? 0 : 1;
}
