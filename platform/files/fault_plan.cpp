// The fault switch: short reads and writes on demand, for tests of the program's failure paths.

#include "platform/files/fault_plan.h"

#include "platform/files/files.h"
#include "platform/reset/reset.h"

#include <algorithm>
#include <mutex>

namespace platform::files {
namespace {

struct Plan {
    bool armed = false;
    Fault fault;  // skip and count are used up as calls go by
};

struct FaultState {
    std::mutex lock;  // guards both plans
    Plan read;
    Plan write;
};

FaultState s_faults;

Plan& plan_for(Direction direction)
{
    return direction == Direction::Read ? s_faults.read : s_faults.write;
}

void arm(Direction direction, const Fault& fault)
{
    std::lock_guard guard(s_faults.lock);
    Plan& plan = plan_for(direction);
    plan.armed = fault.count != 0;
    plan.fault = fault;
}

}  // namespace

uint32_t fault_limit(Direction direction, uint32_t count)
{
    std::lock_guard guard(s_faults.lock);
    Plan& plan = plan_for(direction);
    if (!plan.armed)
        return count;
    if (plan.fault.skip > 0) {
        --plan.fault.skip;
        return count;
    }
    if (plan.fault.count > 0 && --plan.fault.count == 0)
        plan.armed = false;
    return std::min(count, plan.fault.moved);
}

void arm_read_fault(const Fault& fault)
{
    arm(Direction::Read, fault);
}

void arm_write_fault(const Fault& fault)
{
    arm(Direction::Write, fault);
}

void clear_faults()
{
    std::lock_guard guard(s_faults.lock);
    s_faults.read = Plan {};
    s_faults.write = Plan {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Plans, clear_faults);

}  // namespace platform::files
