#pragma once
// The resets of the process-wide tables. Every module that keeps such a table registers its own reset here
// once, from a file-scope constant beside the table:
//
//   [[maybe_unused]] static const bool s_reset_registered
//       = platform::register_reset(platform::ResetStage::Program, coord_reset);
//
// and run_registered_resets() gives the whole process the state a new one starts with, so that a test
// cannot depend on what the test before it left behind. The program never calls it: registering costs one
// table entry at start-up.
//
// Header only, so a module registers without linking one more library: the table is a function-local static
// of an inline function, one instance for the whole executable. Registration happens during static
// initialisation (one thread); running happens on the thread that drives the program, while no program
// runs headless or after the Display stage has finished it.

#include <utility>
#include <vector>

namespace platform {

// The order resets run in. Within a stage the order is that of registration, which nothing may rely on.
enum class ResetStage {
    Plans,       // switches that make calls fail on purpose (file faults, power loss) are turned off first,
                 // so what the later resets close and flush is closed and flushed for real
    Display,     // a program still running headless is finished, as its process would end
    Windows,     // windows left over are destroyed (their procedures hear it while every table is intact)
                 // and the window manager forgets its classes, templates, timers and queue
    Program,     // app/, store/, gps/, draw/: open files closed, settings and tables back to their start
    Foundation,  // formats/, resources/: what the program's modules may still use while they reset
    Platform,    // the platform's tables below the windows: controls, serial ports, registry, display, clock
};

using ResetFunction = void (*)();

inline std::vector<std::pair<ResetStage, ResetFunction>>& registered_resets()
{
    static std::vector<std::pair<ResetStage, ResetFunction>> resets;
    return resets;
}

// Adds `reset` to run at `stage`. Always true, so that a file-scope constant can hold the call.
inline bool register_reset(ResetStage stage, ResetFunction reset)
{
    registered_resets().emplace_back(stage, reset);
    return true;
}

// Runs every registered reset, stage by stage.
inline void run_registered_resets()
{
    for (ResetStage stage : {ResetStage::Plans, ResetStage::Display, ResetStage::Windows, ResetStage::Program,
             ResetStage::Foundation, ResetStage::Platform}) {
        for (const auto& [at, reset] : registered_resets())
            if (at == stage)
                reset();
    }
}

}  // namespace platform
