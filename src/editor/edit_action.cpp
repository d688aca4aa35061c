#include "edit_action.h"

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue.h"
#include "custom_window_box.h"
#include "edit_box_form.h"
#include "host_text.h"

namespace kv::editor {

bool EditActionDialog(int32_t action, char** params, int32_t highIndex) {
    const CatalogueEntry* entry = FindAction(action);
    if (entry == nullptr || (FindPage(action) == nullptr && FindWindowBox(action) == nullptr) ||
        params == nullptr || highIndex < 0)
        return false;
    // Only the elements the host said it has are touched.
    const int32_t count = highIndex >= entry->numParams ? entry->numParams : highIndex + 1;
    std::vector<std::string> texts(static_cast<size_t>(entry->numParams));
    for (int32_t i = 0; i < count; ++i)
        if (params[i] != nullptr) texts[static_cast<size_t>(i)] = params[i];

    const auto results = EditActionTexts(action, std::move(texts));
    if (!results) return false;
    for (int32_t i = 0; i < count; ++i) {
        const std::optional<std::string>& text = (*results)[static_cast<size_t>(i)];
        if (text) SetHostText(&params[i], *text);
    }
    return true;
}

}  // namespace kv::editor
