// These tests make real mouse input. Before any window exists, the program
// moves to a desktop of its own, so its clicks reach its own windows only,
// whatever other test programs show meanwhile on the shared desktop.
#include "input.h"

namespace {

const bool g_ownDesktop = kvhost::UseDesktopOfItsOwn("KelvaneDesktopTests");

}  // namespace
