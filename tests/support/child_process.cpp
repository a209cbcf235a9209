#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace testing_support {

namespace {

int64_t now_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ChildProcess::ChildProcess(
    const std::string& program, const std::vector<std::string>& args, const std::vector<std::string>& extra_env)
{
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        return;
    // The test's environment, with the extra entries replacing those of the same name.
    std::vector<std::string> env_strings;
    auto name_of = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        bool replaced = false;
        for (const std::string& extra : extra_env)
            replaced = replaced || name_of(extra) == name_of(entry);
        if (!replaced)
            env_strings.push_back(entry);
    }
    env_strings.insert(env_strings.end(), extra_env.begin(), extra_env.end());
    std::vector<char*> argv {const_cast<char*>(program.c_str())}, envp;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (std::string& e : env_strings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    m_pid = fork();
    if (m_pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    m_in = in[1];
    m_out_fd = out[0];
    m_err_fd = err[0];
    signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && m_status < 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    for (int fd : {m_in, m_out_fd, m_err_fd})
        if (fd >= 0)
            close(fd);
}

bool ChildProcess::write_input(const std::string& text)
{
    if (m_in < 0)
        return false;
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(m_in, text.data() + done, text.size() - done);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

void ChildProcess::close_input()
{
    if (m_in >= 0)
        close(m_in);
    m_in = -1;
}

// Reads whatever the child writes, for at most timeout_ms (0: only what is there now).
void ChildProcess::drain(int timeout_ms)
{
    pollfd fds[2] = {{m_out_fd, POLLIN, 0}, {m_err_fd, POLLIN, 0}};
    if (poll(fds, 2, timeout_ms) <= 0)
        return;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP)) || fds[i].fd < 0)
            continue;
        ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0)
            (i == 0 ? m_out : m_err).append(buffer, size_t(n));
        else {
            close(fds[i].fd);
            (i == 0 ? m_out_fd : m_err_fd) = -1;
        }
    }
}

std::vector<std::string> ChildProcess::read_lines(size_t count, int timeout_ms)
{
    const int64_t end = now_ms() + timeout_ms;
    auto complete_lines = [&] {
        size_t lines = 0;
        for (size_t at = m_lines_taken; (at = m_out.find('\n', at)) != std::string::npos; ++at)
            ++lines;
        return lines;
    };
    while (complete_lines() < count && m_out_fd >= 0 && now_ms() < end)
        drain(int(end - now_ms()));
    std::vector<std::string> lines;
    size_t at = m_lines_taken;
    for (size_t nl; lines.size() < count && (nl = m_out.find('\n', at)) != std::string::npos; at = nl + 1)
        lines.push_back(m_out.substr(at, nl - at));
    m_lines_taken = at;
    return lines;
}

bool ChildProcess::running()
{
    if (m_pid <= 0 || m_status >= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) != m_pid)
        return true;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

void ChildProcess::terminate()
{
    if (running())
        kill(m_pid, SIGTERM);
}

int ChildProcess::wait(int timeout_ms, bool kill_on_timeout)
{
    const int64_t end = now_ms() + timeout_ms;
    while (running() && now_ms() < end)
        drain(20);
    if (running() && !kill_on_timeout)
        return -2;
    if (running()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_status = 137;
        return -1;
    }
    // The pipes close with the child; a grandchild that kept them open gets five seconds.
    const int64_t pipes_end = now_ms() + 5000;
    while ((m_out_fd >= 0 || m_err_fd >= 0) && now_ms() < pipes_end)
        drain(100);
    return m_status;
}

}  // namespace testing_support
