#pragma once
// The fault switch's bookkeeping. Internal to platform/files.

#include <cstdint>

namespace platform::files {

enum class Direction { Read, Write };

// How many of `count` bytes the next read or write may move: `count` unless an armed fault takes this
// call, when it is at most the fault's `moved`. Each call consumes one step of the plan.
uint32_t fault_limit(Direction direction, uint32_t count);

}  // namespace platform::files
