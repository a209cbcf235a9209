#include "resources/store_resources.h"

#include "platform/ui/ui.h"

namespace resources {

namespace ui = platform::ui;

namespace {

// A small pop-up: the progress bar the dialog adds at 20, 20 (160 x 17) and the text under it, two lines
// tall for the reason an index is built again at open.
ui::DialogTemplate indexing_dialog()
{
    ui::DialogTemplate t;
    t.name = kDialogIndexing;
    t.title = u"Processing ... ";
    t.full_screen = false;
    t.rect = {0, 0, 200, 76};
    t.controls = {
        {kIndexingText, u"static", u"", {20, 42, 190, 74}, ui::kStyleVisible | ui::kStyleChild},
    };
    return t;
}

}  // namespace

void install_store_resources()
{
    ui::add_dialog_template(indexing_dialog());
}

}  // namespace resources
