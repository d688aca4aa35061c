#pragma once

namespace kv {

// Hands every catalogue entry to the host's HostAddAction, in order.
void RegisterCatalogue();

}  // namespace kv
