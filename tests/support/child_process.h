#pragma once
// Runs the real varno executable as a child process for the tests: arguments, a pipe to its standard
// input, its standard output and error collected, its exit code with a time limit.

#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
public:
    // Starts `program` with `args`; extra environment entries "NAME=value" are added to the test's own,
    // replacing any of the same name.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
        const std::vector<std::string>& extra_env = {});
    ~ChildProcess();  // kills a child that is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    // The child's process id, for signals a test sends itself; valid until wait() or running() has seen
    // the child end.
    int pid() const { return m_pid; }
    // Writes to the child's standard input; false when the pipe is closed.
    bool write_input(const std::string& text);
    void close_input();
    // Reads standard output until it holds `count` lines or `timeout_ms` passes; the lines read so far.
    std::vector<std::string> read_lines(size_t count, int timeout_ms);
    // Waits for the child to end: its exit code, or 128 + signal number when a signal ended it; -1 when
    // it did not end in time (it is then killed) and -2 when it did not and kill_on_timeout is false.
    // Collects the rest of stdout and stderr.
    int wait(int timeout_ms, bool kill_on_timeout = true);
    // Sends the termination signal.
    void terminate();
    bool running();
    const std::string& output() const { return m_out; }
    const std::string& errors() const { return m_err; }

private:
    void drain(int timeout_ms);
    int m_pid = -1;
    int m_in = -1, m_out_fd = -1, m_err_fd = -1;
    std::string m_out, m_err;
    size_t m_lines_taken = 0;
    int m_status = -1;
};

}  // namespace testing_support
