#pragma once
// What the port selection offers: the ten numbered serial ports and the port of the platform's GPS
// intermediate driver (the multiplexer that shares one receiver among programs), and the two registry
// values by which the platform hides that driver's interface.
//
// Registry places (local-machine root):
//   "System\CurrentControlSet\GPS Intermediate Driver\Multiplexer", "DriverInterface": the driver's port,
//       text, read into a buffer of 20 bytes: at most 9 characters and the terminator;
//   "ControlPanel\GPS Settings", "Redirect" and "Hide": either present means the interface is hidden.

#include <optional>
#include <string>
#include <vector>

namespace gps {

constexpr int kNumberedPorts = 10;
constexpr size_t kDriverInterfaceBytes = 20;
constexpr size_t kDriverInterfaceChars = kDriverInterfaceBytes / 2 - 1;  // 9, and the terminator

// "COM0:" to "COM9:".
std::vector<std::u16string> NumberedPorts();

struct DriverInterfacePort {
    std::u16string name;        // at most kDriverInterfaceChars characters, always terminated
    size_t value_bytes = 0;     // the value's length in bytes (two a character, no terminator)
    bool fills_buffer = false;  // the value took the whole buffer and left no room for the terminator
};

// The "DriverInterface" value. Nothing when it is missing, not text, empty, or longer than the buffer.
// A value of exactly 20 bytes (10 characters) fills the buffer: its first 9 characters are used, with
// the terminator in the last place, and fills_buffer says so (the dialog reports the length).
std::optional<DriverInterfacePort> ReadDriverInterfacePort();

// Which of the two hiding values are present.
struct InterfaceHiding {
    bool redirect = false;
    bool hide = false;
    bool hidden() const { return redirect || hide; }
};
InterfaceHiding ReadInterfaceHiding();

// Deletes the values that `present` names; the number of deletions that succeeded.
int UnhideInterface(const InterfaceHiding& present);

}  // namespace gps
