#include "resources/resources.h"

#include "resources/app_resources.h"
#include "resources/builders.h"
#include "resources/calc_resources.h"
#include "resources/cogo_resources.h"
#include "resources/gps_resources.h"
#include "resources/exchange_resources.h"
#include "resources/plot_resources.h"
#include "resources/point_dialog_resources.h"
#include "resources/store_resources.h"
#include "resources/transform_resources.h"
#include "resources/traverse_resources.h"

namespace resources {

void install_all()
{
    install_app_resources();
    install_point_dialog_resources();
    install_plot_resources();
    install_store_resources();
    install_transform_resources();
    install_calc_resources();
    install_cogo_resources();
    install_gps_resources();
    install_traverse_resources();
    install_exchange_resources();
}

TemplateSet all_templates()
{
    TemplateSet all;
    for (const TemplateSet& set :
        {app_templates(), point_dialog_templates(), plot_templates(), store_templates(), calc_templates(),
            transform_templates(), cogo_templates(), gps_templates(), traverse_templates(), exchange_templates()}) {
        all.dialogs.insert(all.dialogs.end(), set.dialogs.begin(), set.dialogs.end());
        all.menu_bars.insert(all.menu_bars.end(), set.menu_bars.begin(), set.menu_bars.end());
    }
    return all;
}

}  // namespace resources
