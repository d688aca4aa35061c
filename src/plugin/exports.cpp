// The nine entry points the host calls.
#include "about_box.h"
#include "borland.h"
#include "catalogue.h"
#include "contain.h"
#include "dispatch.h"
#include "edit_action.h"
#include "host_messages.h"
#include "host_text.h"
#include "plugin_names.h"
#include "plugin_state.h"
#include "registration.h"
#include "unload.h"

namespace {

constexpr const char* kPluginName = KV_PLUGIN_NAME;
constexpr const char* kPluginAuthor = KV_PLUGIN_AUTHOR;
constexpr const char* kPluginHint = "Some simple functions.";

}  // namespace

extern "C" {

// Only a FreeLibrary (reserved is null) releases anything: at process exit
// the windows and hooks go with the process.
BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
    if (reason != DLL_PROCESS_DETACH) return TRUE;
    if (reserved == nullptr)
        kv::ReleaseAtUnload();
    else
        kv::ReleaseAtProcessEnd();
    return TRUE;
}

void KV_BORLAND nbInitPlugIn(HWND wnd, kv::TextSlot name, kv::TextSlot author, kv::TextSlot hint) {
    kv::ContainVoid("nbInitPlugIn", [&] {
        kv::State().HostWindow = wnd;
        kv::SetHostText(name, kPluginName);
        kv::SetHostText(author, kPluginAuthor);
        kv::SetHostText(hint, kPluginHint);
    });
}

void KV_BORLAND nbRegisterPlugIn(kv::HostAddActionProc addAction, kv::HostAuxProcProc auxProc,
                                 kv::HostGetVarProc getVar, kv::HostSetVarProc setVar) {
    kv::ContainVoid("nbRegisterPlugIn", [&] {
        kv::PluginState& state = kv::State();
        state.HostAddAction = addAction;
        state.HostAuxProc = auxProc;
        state.HostGetVar = getVar;
        state.HostSetVar = setVar;
        kv::RegisterCatalogue();
    });
}

void KV_BORLAND nbRegisterScriptProcessor(kv::HostScriptProcessorProc proc) {
    kv::State().HostScriptProcessor = proc;
}

void KV_BORLAND nbRegisterInterfaceAccess(kv::HostInterfaceAccessProc proc) {
    kv::State().HostInterfaceAccess = proc;
}

void KV_BORLAND nbRegisterStreamAccess(kv::HostStreamAccessProc proc) {
    kv::State().HostStreamAccess = proc;
}

void KV_BORLAND nbMessage(int32_t message) {
    kv::ContainVoid("nbMessage", [&] { kv::HandleHostMessage(message); });
}

kv::HostBool KV_BORLAND nbExecAction(int32_t action, char** params, int32_t /*highIndex*/) {
    // A failure is reported under the action's name so the author knows
    // which line failed; numbers outside the catalogue never run anything.
    const kv::CatalogueEntry* entry = kv::FindAction(action);
    return kv::Contain(
        entry ? entry->name : "nbExecAction", [&] { return kv::ExecAction(action, params); },
        false);
}

kv::HostBool KV_BORLAND nbEditAction(int32_t action, char** params, int32_t highIndex) {
    return kv::Contain(
        "nbEditAction", [&] { return kv::editor::EditActionDialog(action, params, highIndex); },
        false);
}

void KV_BORLAND nbAbout() {
    kv::ContainVoid("nbAbout", [] { kv::editor::ShowAboutBox(kPluginAuthor); });
}

}  // extern "C"
