#include "resources/store_resources.h"

#include "resources/builders.h"

namespace resources {

namespace {

// A small pop-up: the progress bar the dialog adds at 20, 20 (160 x 17) and the text under it, two lines
// tall for the reason an index is built again at open.
ui::DialogTemplate indexing_dialog()
{
    return build::popup(kDialogIndexing, u"Processing ... ", 200, 76,
        {
            build::label(kIndexingText, u"", {20, 42, 190, 74}),
        });
}

}  // namespace

TemplateSet store_templates()
{
    return {{indexing_dialog()}, {}};
}

void install_store_resources()
{
    install(store_templates());
}

}  // namespace resources
