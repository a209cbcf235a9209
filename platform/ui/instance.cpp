// One program per device: the first process to create a main window takes an exclusive lock on
// "\Windows\.instance.lock" of the device root and answers on a Unix-domain socket named after the root.
// A later process finds the lock held, asks over the socket whether a window of that class and title
// exists, and asks it to come forward.
//
// The socket lives in the abstract namespace ("\0varno-<hash of the root>"): it needs no file, leaves
// nothing behind when the process dies, and is not bound by the 108-byte limit of socket paths.
//
// The listener thread never touches the window manager: it reads a table of main windows kept under a
// mutex and leaves foreground requests in an inbox, then wakes the display; the user-interface thread
// takes them from there.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/display/display.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "platform/ui/ui_state.h"

namespace platform::ui::detail {

namespace {

constexpr Hwnd kRemoteWindow = 0xFFFFFFF0u;         // even, so the foreground flag bit can ride on it
constexpr uint32_t kMsgForegroundRequest = 0x0390;  // internal, never dispatched
constexpr int kReplyTimeoutMs = 2000;

struct MainWindow {
    Hwnd hwnd = kNoWindow;
    std::u16string class_key;  // folded
    std::u16string title_key;  // folded
};

struct InstanceState {
    std::mutex mutex;  // guards windows and inbox (listener thread and UI thread)
    std::vector<MainWindow> windows;
    std::vector<Hwnd> inbox;  // windows asked to come forward
    // UI thread only:
    bool tried = false;  // the lock was tried in this run
    int lock_fd = -1;    // held while this process is the instance
    int listen_fd = -1;
    int stop_pipe[2] = {-1, -1};
    std::thread listener;
    std::u16string remote_class, remote_title;

    ~InstanceState() { stop(); }
    void stop();
};

InstanceState s_instance;

void close_fd(int* fd)
{
    if (*fd >= 0)
        ::close(*fd);
    *fd = -1;
}

void InstanceState::stop()
{
    if (listener.joinable()) {
        char b = 1;
        [[maybe_unused]] auto n = ::write(stop_pipe[1], &b, 1);
        listener.join();
    }
    close_fd(&listen_fd);
    close_fd(&stop_pipe[0]);
    close_fd(&stop_pipe[1]);
    close_fd(&lock_fd);
}

std::string lock_path()
{
    if (files::device_root().empty())
        return {};
    return files::host_path(u"\\Windows") + "/.instance.lock";
}

// FNV-1a over the canonical device root: every process on the same root meets at the same name.
sockaddr_un socket_address(socklen_t* len)
{
    std::string root = files::device_root();
    char real[PATH_MAX];
    if (::realpath(root.c_str(), real))
        root = real;
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : root)
        h = (h ^ c) * 1099511628211ull;
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    int n = std::snprintf(addr.sun_path + 1, sizeof(addr.sun_path) - 1, "varno-%016llx", (unsigned long long)h);
    *len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(n));
    return addr;
}

std::optional<std::string> read_line(int fd)
{
    std::string line;
    char buf[256];
    while (line.size() < 4096) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            return std::nullopt;
        line.append(buf, size_t(n));
        auto nl = line.find('\n');
        if (nl != std::string::npos)
            return line.substr(0, nl);
    }
    return std::nullopt;
}

void set_timeouts(int fd)
{
    timeval tv {kReplyTimeoutMs / 1000, (kReplyTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

void write_all(int fd, const std::string& s)
{
    size_t done = 0;
    while (done < s.size()) {
        ssize_t n = ::send(fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += size_t(n);
    }
}

// A request is one line: "find" or "foreground", a tab, the class, a tab, the title.
struct Request {
    std::string verb;
    std::u16string class_key, title_key;
};

std::optional<Request> parse_request(const std::string& line)
{
    auto t1 = line.find('\t');
    if (t1 == std::string::npos)
        return std::nullopt;
    auto t2 = line.find('\t', t1 + 1);
    if (t2 == std::string::npos)
        return std::nullopt;
    Request r;
    r.verb = line.substr(0, t1);
    r.class_key = fold(text::from_utf8(line.substr(t1 + 1, t2 - t1 - 1)));
    r.title_key = fold(text::from_utf8(line.substr(t2 + 1)));
    return r;
}

void serve(int fd)
{
    set_timeouts(fd);
    auto line = read_line(fd);
    auto req = line ? parse_request(*line) : std::nullopt;
    Hwnd found = kNoWindow;
    if (req) {
        std::lock_guard lock(s_instance.mutex);
        for (const auto& w : s_instance.windows) {
            if (w.class_key == req->class_key && w.title_key == req->title_key)
                found = w.hwnd;
        }
        if (found != kNoWindow && req->verb == "foreground")
            s_instance.inbox.push_back(found);
    }
    write_all(fd, found != kNoWindow ? "yes\n" : "no\n");
    if (found != kNoWindow && req->verb == "foreground")
        display::wake();
}

void listen_loop(int listen_fd, int stop_fd)
{
    for (;;) {
        pollfd fds[2] = {{listen_fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        int c = ::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
            continue;
        serve(c);
        ::close(c);
    }
}

bool start_listening()
{
    socklen_t len = 0;
    sockaddr_un addr = socket_address(&len);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(fd, 8) != 0
        || ::pipe2(s_instance.stop_pipe, O_CLOEXEC) != 0) {
        ::close(fd);
        return false;
    }
    s_instance.listen_fd = fd;
    s_instance.listener = std::thread(listen_loop, fd, s_instance.stop_pipe[0]);
    return true;
}

// The first main window of the run makes this process the instance, unless another live process is.
void become_instance()
{
    s_instance.tried = true;
    std::string path = lock_path();
    if (path.empty())
        return;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    s_instance.lock_fd = fd;
    if (!start_listening())
        s_instance.stop();
}

bool lock_held_elsewhere()
{
    std::string path = lock_path();
    if (path.empty())
        return false;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);  // closing also drops the lock if we took it
    return held;
}

std::optional<std::string> ask(const std::string& verb, std::u16string_view cls, std::u16string_view title)
{
    socklen_t len = 0;
    sockaddr_un addr = socket_address(&len);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    set_timeouts(fd);
    std::optional<std::string> reply;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
        write_all(fd, verb + "\t" + text::to_utf8(cls) + "\t" + text::to_utf8(title) + "\n");
        reply = read_line(fd);
    }
    ::close(fd);
    return reply;
}

}  // namespace

void instance_window_created(Hwnd hwnd, std::u16string_view class_name, std::u16string_view title)
{
    if (!s_instance.tried)
        become_instance();
    std::lock_guard lock(s_instance.mutex);
    s_instance.windows.push_back(MainWindow {hwnd, fold(class_name), fold(title)});
}

void instance_window_changed(Hwnd hwnd, std::u16string_view title)
{
    std::lock_guard lock(s_instance.mutex);
    for (auto& w : s_instance.windows) {
        if (w.hwnd == hwnd)
            w.title_key = fold(title);
    }
}

void instance_window_destroyed(Hwnd hwnd)
{
    std::lock_guard lock(s_instance.mutex);
    auto& v = s_instance.windows;
    std::erase_if(v, [hwnd](const MainWindow& w) { return w.hwnd == hwnd; });
}

Hwnd instance_find_remote(std::u16string_view class_name, std::u16string_view title)
{
    if (s_instance.lock_fd >= 0 || !lock_held_elsewhere())
        return kNoWindow;
    auto reply = ask("find", class_name, title);
    if (!reply || *reply != "yes")
        return kNoWindow;
    s_instance.remote_class = std::u16string(class_name);
    s_instance.remote_title = std::u16string(title);
    return kRemoteWindow;
}

bool instance_is_remote(Hwnd hwnd)
{
    return hwnd == kRemoteWindow;
}

bool instance_foreground_remote()
{
    if (s_instance.remote_class.empty())
        return false;
    auto reply = ask("foreground", s_instance.remote_class, s_instance.remote_title);
    return reply && *reply == "yes";
}

void instance_drain_requests()
{
    std::vector<Hwnd> requests;
    {
        std::lock_guard lock(s_instance.mutex);
        if (s_instance.inbox.empty())
            return;
        requests.swap(s_instance.inbox);
    }
    for (Hwnd h : requests)
        state().queue.push_back(Message {h, kMsgForegroundRequest, 0, 0});
}

bool instance_handle(const Message& m)
{
    if (m.msg != kMsgForegroundRequest)
        return false;
    if (is_window(m.hwnd))
        set_foreground_window(m.hwnd | 1);
    if (display::Backend* b = display::backend())
        b->raise();
    return true;
}

void reset_instance()
{
    s_instance.stop();
    std::lock_guard lock(s_instance.mutex);
    s_instance.windows.clear();
    s_instance.inbox.clear();
    s_instance.tried = false;
    s_instance.remote_class.clear();
    s_instance.remote_title.clear();
}

}  // namespace platform::ui::detail
