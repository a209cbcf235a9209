#include "resources/resources.h"

#include "resources/app_resources.h"

namespace resources {

void install_all()
{
    install_app_resources();
}

}  // namespace resources
