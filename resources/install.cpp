#include "resources/resources.h"

#include "resources/app_resources.h"
#include "resources/point_dialog_resources.h"
#include "resources/store_resources.h"

namespace resources {

void install_all()
{
    install_app_resources();
    install_point_dialog_resources();
    install_store_resources();
}

}  // namespace resources
