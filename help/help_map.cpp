// Prints the help map of the properties dialogs, one line per page:
// action number, action name and help context number (0: none), tab
// separated. Built for the build machine and run when the help file is
// compiled, so the map always follows the page tables.
#include <cstdio>

#include "custom_window_layouts.h"
#include "edit_pages.h"

int main() {
    using namespace kv::editor;
    for (int32_t action = 0; action <= 64; ++action) {
        if (const PageSpec* page = FindPage(action)) {
            std::printf("%d\t%s\t%d\n", static_cast<int>(action), page->action,
                        static_cast<int>(page->help));
        } else if (const BoxLayout* box = FindWindowBox(action)) {
            std::printf("%d\t%s\t%d\n", static_cast<int>(action), box->action,
                        static_cast<int>(box->help));
        }
    }
    return 0;
}
