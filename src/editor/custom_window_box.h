// TCustomWindowBox: the properties dialog laid out for a window's place
// and size (a name or handle, left and top, width and height, two option
// boxes and a last row). Four actions use it, each with a layout of its
// own given as rows of controls and parameters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "custom_window_layouts.h"
#include "dialog_window.h"

namespace kv::editor {

class TCustomWindowBox : public DialogWindow {
public:
    TCustomWindowBox(const BoxLayout& layout, std::vector<std::string> texts);
    const std::vector<std::optional<std::string>>& results() const { return results_; }

protected:
    bool OnCreate() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void BuildFooter();
    void Choose(int edit, int32_t request);
    void Write();

    const BoxLayout& layout_;
    std::vector<std::string> texts_;
    std::vector<std::string> kept_;  // per parameter: what a box or list could not show
    std::vector<std::optional<std::string>> results_;
    win::UniqueGdiObject bold_;
};

}  // namespace kv::editor
