#include "tests/crash/varno_run.h"

#include <signal.h>

namespace crash {

std::string script_quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

VarnoRun::VarnoRun(const std::string& binary, const std::string& device_root)
    : m_child(binary, {"--device-root", device_root, "--card", device_root, "--headless", "--script", "-"})
{
    if (m_child.started())
        m_killer = std::thread([this] { killer_loop(); });
}

VarnoRun::~VarnoRun()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_killer.joinable())
        m_killer.join();
    // ChildProcess kills and reaps a program still running.
}

void VarnoRun::killer_loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_stop || m_killed)
            return;
        if (!m_kill_when) {
            m_wake.wait(lock);
            continue;
        }
        Clock::time_point when = *m_kill_when;
        if (m_wake.wait_until(lock, when) == std::cv_status::timeout && m_kill_when == when && !m_stop) {
            // The child is reaped only after this thread is done with it, so the id is still its own.
            ::kill(m_child.pid(), SIGKILL);
            m_killed = true;
            m_wake.notify_all();
            return;
        }
    }
}

bool VarnoRun::send(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return m_child.write_input(text);
}

std::optional<std::string> VarnoRun::answer(int timeout_ms)
{
    std::vector<std::string> lines = m_child.read_lines(1, timeout_ms);
    if (lines.empty())
        return std::nullopt;
    return lines[0];
}

std::vector<std::string> VarnoRun::exchange(const std::vector<std::string>& lines)
{
    std::vector<std::string> answers;
    if (!send(lines))
        return answers;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> a = answer();
        if (!a)
            break;
        answers.push_back(*a);
    }
    return answers;
}

std::string VarnoRun::ask(const std::string& line)
{
    std::vector<std::string> answers = exchange(std::vector<std::string> {line});
    return answers.empty() ? "ended" : answers[0];
}

void VarnoRun::kill_at(Clock::time_point when)
{
    {
        std::lock_guard lock(m_mutex);
        m_kill_when = when;
    }
    m_wake.notify_all();
}

bool VarnoRun::finish_killed()
{
    if (!m_killer.joinable())
        return false;
    {
        std::unique_lock lock(m_mutex);
        if (!m_kill_when)
            m_kill_when = Clock::now();
        m_wake.notify_all();
        m_wake.wait(lock, [this] { return m_killed || m_stop; });
    }
    if (m_killer.joinable())
        m_killer.join();
    return m_child.wait(kAnswerLimitMs) == 128 + SIGKILL;
}

int VarnoRun::quit()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_killer.joinable())
        m_killer.join();
    send({"quit"});
    return m_child.wait(kAnswerLimitMs);
}

}  // namespace crash
