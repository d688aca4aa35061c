// Prints the help map of the properties dialogs, one line per page:
// action number, action name and help context number (0: none), tab
// separated. Built for the build machine and run when the help file is
// compiled, so the map always follows the page tables.
//
// With --contents it prints the catalogue instead, in the order the host
// lists it: "category<TAB>name" (the host's bytes, Windows-1251 where
// Russian) and "action<TAB>number<TAB>name" lines, which the contents
// tree of the help follows.
#include <cstdio>
#include <cstring>

#include "catalogue.h"
#include "custom_window_layouts.h"
#include "edit_pages.h"

int main(int argc, char** argv) {
    using namespace kv::editor;
    if (argc > 1 && std::strcmp(argv[1], "--contents") == 0) {
        for (const kv::CatalogueEntry& entry : kv::ActionCatalogue()) {
            if (entry.IsCategory())
                std::printf("category\t%s\n", entry.name);
            else
                std::printf("action\t%d\t%s\n", static_cast<int>(entry.id), entry.name);
        }
        return 0;
    }
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
