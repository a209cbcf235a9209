#pragma once
// The driver: runs the program on the headless display and acts on it as a user would, for the tests (the
// Driver class) and for scripts (run_script: `varno --headless --script FILE`, or `--script -` to drive
// the program through a pipe).
//
// The driver never runs the program's handlers itself. Everything it reads, it reads while the program is
// parked (display::headless::act); everything it does is a posted message or injected input, after which
// the program runs until it parks again. A control is named by its id or by its caption; it is looked for
// among the controls of the active window. Texts are UTF-8 here and UTF-16 in the program.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace platform::driver {

// What an operation came to. ok false: `message` says what was expected and what was seen, or why the
// operation could not be done. `dump` gives its listing in `message` with ok true.
struct Result {
    bool ok = true;
    std::string message;
};

// A control of the active window: by id (1011) or by caption ("Get"; compared exactly, then with
// surrounding spaces trimmed).
struct ControlName {
    ControlName(int control_id)
        : id(control_id)
        , by_id(true)
    {
    }
    ControlName(const char* text)
        : caption(text)
        , by_id(false)
    {
    }
    ControlName(std::string text)
        : caption(std::move(text))
        , by_id(false)
    {
    }
    std::string describe() const;  // 1011 or "Get"

    int id = 0;
    std::string caption;
    bool by_id = true;
};

class Driver {
public:
    // Starts `program` (the program's main function: it resets the window manager, registers its
    // classes, creates its windows and runs its message loop) and returns when it has parked.
    explicit Driver(std::function<int()> program);
    // Finishes the program if it still runs (its main window is asked to close).
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Chooses a menu command of the active window's menu bar by its labels ("Coords/Transform/By
    // Parameters", labels compared with surrounding spaces trimmed) and posts it to the window.
    Result menu(std::string_view path);
    // Posts kMsgCommand (id, code 0) to the active window.
    Result command(int id);
    // Presses a button or check box (focus, toggle, clicked notification).
    Result click(const ControlName& button);
    // Focuses an edit control and replaces its text, with the notifications typing sends.
    Result type(const ControlName& edit, std::string_view text);
    // Selects an entry of a list or combo box by index, or by its text, with the notification.
    Result select(const ControlName& list, int index);
    Result select(const ControlName& list, std::string_view entry);
    // A stylus tap at client coordinates of the active window (pressed, then released).
    Result tap(int x, int y);
    // Arms a tap at client coordinates of the active window to arrive while the program is busy: at the
    // `polls`-th time long work looks for input (a plot drawing many points). The next operation sets the
    // work going; the tap is then served like any other once the work returns to the message loop.
    Result tap_during_work(int x, int y, int polls);
    // A key press: "ctrl+a", "shift+tab", "tab", "escape", "return", "up", "down", "left", "right",
    // "home", "end", "pageup", "pagedown", "delete", "backspace", "space", "f1".."f12", or one
    // printable character ("7", "a", "."), which also types it.
    Result key(std::string_view name);
    // Advances the virtual clock by ms, running every timer due meanwhile.
    Result wait(uint64_t ms);

    // The active window comes from template `name`: "main" for the main window, a number such as "103"
    // for a template known by number, "MessageBox" for a message box (letter case ignored).
    Result expect_window(std::string_view name);
    Result expect_text(const ControlName& control, std::string_view text);
    Result expect_item(const ControlName& list, int index, std::string_view text);
    Result expect_count(const ControlName& list, int count);
    // A message box with that caption and text is the active window.
    Result expect_box(std::string_view caption, std::string_view text);
    // Presses "ok", "cancel", "yes" or "no" of the active message box.
    Result answer(std::string_view button);

    // The active window: every control with id, class, text, entries and selection and its rectangle in
    // client pixels ("at X,Y WxH"), and the menu paths of its bar; in Result::message.
    Result dump();
    // Paints what is pending and writes the screen as PNG to a host path.
    Result screenshot(const std::string& host_path);
    // Closes the main window (kMsgClose, whose handling saves the preferences) and waits for the
    // program to end.
    Result quit();

    bool running() const;
    // Waits for the program to end (asking its main window to close if it still runs); its exit code.
    int finish();

    // Runs `read` while the program is parked (for tests that look at windows directly). False when
    // the program has ended.
    bool inspect(const std::function<void()>& read);

private:
    int m_exit_code = -1;
    bool m_finished = false;
};

// Runs a script against `program`: one command a line, a word starting with `#` starts a comment,
// arguments with spaces in double quotes (\" and \\ inside quotes). The commands are the Driver's operations by name: menu,
// command, click, type, select, tap, key, wait, expect window|text|item|count|box, answer, dump,
// screenshot, quit.
//
// Not interactive: the whole script is read and checked first; an unknown command or a malformed line
// gives 2 before the program starts ("line N: ..." on out). Then the lines run in order and the first
// that fails stops the script: "line N: <line>: <what was expected and seen>" on out, and 1. 0 when every
// line held. `dump` writes its listing on out.
//
// Interactive: each line is carried out as it arrives and answered on out with "ok" (after a dump's
// listing) or "failed: <what>", flushed at once; malformed lines are answered "error: <what>" and
// skipped; blank and comment lines get no answer. Runs until `quit` or the end of input; returns 1 when any line failed or was malformed, else 0.
//
// In both modes the program is finished at the end (its main window asked to close if it still runs).
int run_script(std::istream& in, std::ostream& out, std::function<int()> program, bool interactive);
// The script in a host file; 2 (with a message on out) when it cannot be read. The program is not
// started then.
int run_script_file(const std::string& host_path, std::ostream& out, std::function<int()> program);

}  // namespace platform::driver
