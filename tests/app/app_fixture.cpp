#include "tests/app/app_fixture.h"

#include "app/launch.h"

namespace testing_support {

platform::driver::Driver& AppTest::start(std::function<int()> program)
{
    m_driver = std::make_unique<platform::driver::Driver>(std::move(program));
    return *m_driver;
}

platform::driver::Driver& AppTest::start()
{
    return start(app::run_program);
}

}  // namespace testing_support
