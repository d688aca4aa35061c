#include "registration.h"

#include "catalogue.h"
#include "plugin_state.h"

namespace kv {

void RegisterCatalogue() {
    const auto proc = State().HostAddAction;
    if (proc == nullptr) return;
    for (const CatalogueEntry& entry : ActionCatalogue()) {
        // An empty code array is passed as one element 0 with NumParams 0.
        CallHostAddAction(proc, entry.id, entry.name, entry.hint, entry.codes.data(),
                          entry.CodeCount() - 1, entry.numParams);
    }
}

}  // namespace kv
