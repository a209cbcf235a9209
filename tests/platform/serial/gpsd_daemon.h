#pragma once
// A real gpsd for a test: started on a loopback port of its own, reading a pseudo-terminal that the test
// writes sentences into, and stopped (kill and wait) when the test ends.

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varno_test {

class GpsdDaemon {
public:
    GpsdDaemon()
    {
        const std::string program = find_gpsd();
        if (program.empty()) {
            m_problem = "gpsd is not installed (Debian package gpsd)";
            return;
        }
        if (!open_terminal() || !pick_port())
            return;
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // a test that dies does not leave gpsd behind
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            const std::string port = std::to_string(m_port);
            execl(
                program.c_str(), "gpsd", "-N", "-n", "-S", port.c_str(), m_slave.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_pid < 0) {
            m_problem = "fork failed";
            return;
        }
        if (!wait_until_listening())
            m_problem = "gpsd did not start listening on port " + std::to_string(m_port);
    }

    ~GpsdDaemon()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
        if (m_master >= 0)
            ::close(m_master);
    }

    GpsdDaemon(const GpsdDaemon&) = delete;
    GpsdDaemon& operator=(const GpsdDaemon&) = delete;

    // A loopback port nobody listens on at the moment; 0 when none could be found.
    static unsigned free_loopback_port()
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        const bool ok = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        if (fd >= 0)
            ::close(fd);
        return ok ? ntohs(address.sin_port) : 0;
    }

    // Empty when gpsd runs; otherwise why it does not.
    const std::string& problem() const { return m_problem; }
    unsigned port() const { return m_port; }

    // Writes into the receiver's side of the terminal, and throws away what gpsd may have sent to it.
    void send(const std::string& bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        char sink[512];
        while (::read(m_master, sink, sizeof sink) > 0) { }
    }

private:
    static std::string find_gpsd()
    {
        for (const char* candidate : {"/usr/sbin/gpsd", "/usr/local/sbin/gpsd", "/usr/bin/gpsd"})
            if (access(candidate, X_OK) == 0)
                return candidate;
        return {};
    }

    bool open_terminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
            m_problem = "no pseudo-terminal";
            return false;
        }
        m_slave = ptsname(m_master);
        return true;
    }

    bool pick_port()
    {
        m_port = free_loopback_port();
        if (m_port == 0)
            m_problem = "no free loopback port";
        return m_port != 0;
    }

    bool wait_until_listening()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return false;
            }
            const int fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address {};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(static_cast<uint16_t>(m_port));
            const bool up = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
            if (up)
                return true;
            usleep(50000);
        }
        return false;
    }

    std::string m_problem;
    pid_t m_pid = -1;
    int m_master = -1;
    std::string m_slave;
    unsigned m_port = 0;
};

}  // namespace varno_test
