#pragma once
// One run of the real varno executable under `--headless --script -`, driven line by line through its
// pipes, and ended either by `quit` or by SIGKILL at a chosen moment.
//
// Every script line gets exactly one answer on standard output: "ok", "failed: <what>" or
// "error: <what>". A program that died answers nothing more: what it wrote before it died is still
// read, so a success it reported just before the kill counts.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/host_files.h"

namespace crash {

using Clock = std::chrono::steady_clock;

// Quotes a script argument: double quotes, with \ and " escaped.
std::string script_quote(const std::string& text);

class VarnoRun {
public:
    VarnoRun(const std::string& binary, const std::string& device_root);
    ~VarnoRun();  // kills a run that is still going
    VarnoRun(const VarnoRun&) = delete;
    VarnoRun& operator=(const VarnoRun&) = delete;

    bool started() const { return m_child.started(); }

    // Writes lines without waiting; false when the pipe is closed (the program has died).
    bool send(const std::vector<std::string>& lines);
    // The next answer, or nothing when the program ended (or stayed silent for timeout_ms).
    std::optional<std::string> answer(int timeout_ms = kAnswerLimitMs);
    // Sends the lines and reads their answers: one per line, fewer when the program ended.
    std::vector<std::string> exchange(const std::vector<std::string>& lines);
    // One line and its answer; "ended" when there was none.
    std::string ask(const std::string& line);

    // SIGKILL at `when`, from a thread of its own, so the moment is independent of what this thread does.
    // Arming again moves the moment; a run holds at most one kill.
    void kill_at(Clock::time_point when);
    // Waits for the armed kill (or kills now when none is armed) and reaps the program. True when it
    // died of SIGKILL, false when it had ended otherwise.
    bool finish_killed();

    // "quit" and the end of the program: its exit code (-1 when it did not end in time).
    int quit();

    const std::string& errors() const { return m_child.errors(); }

    static constexpr int kAnswerLimitMs = 30000;

private:
    void killer_loop();

    testing_support::ChildProcess m_child;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Clock::time_point> m_kill_when;  // guarded by m_mutex
    bool m_killed = false;                         // guarded by m_mutex
    bool m_stop = false;                           // guarded by m_mutex
    std::thread m_killer;
};

}  // namespace crash
