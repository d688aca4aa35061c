// A rectangle in design pixels (96 DPI), shared by the dialogs and their
// layout tables.
#pragma once

namespace kv::editor {

struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace kv::editor
