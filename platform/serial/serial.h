#pragma once
// Serial devices. A port name such as "COM3:" names a byte-stream device; what stands behind the name is
// a text value in the registry stand-in (key kPortsKey, value name = the port name in upper case, text =
// the device spec). The program opens, reads and closes ports by name and never learns what they are.
//
// Device specs:
//   tty:PATH[@BAUD]           a real serial device (or a pseudo-terminal), opened non-blocking in raw
//                             mode, 8 data bits, no parity, at BAUD (default 4800, the NMEA 0183 rate);
//   gpsd[:HOST[:PORT]]        the raw NMEA stream of a gpsd daemon (default 127.0.0.1:2947; an IPv6
//                             host goes in brackets: gpsd:[::1]:2947); its JSON replies are left out;
//   replay:PATH[@RATE]        a log file played back at RATE bytes per second (default 480, which is 4800
//                             baud) by platform::clock: real time under SDL, virtual time headless.
// PATH is a host path (UTF-8). A '@' followed by anything but digits is part of the path.
//
// Reads never block. Nothing here shows a message.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::serial {

// Registry places (local-machine root).
inline constexpr char16_t kPortsKey[] = u"Software\\Varno\\Ports";
inline constexpr char16_t kMultiplexerKey[] = u"System\\CurrentControlSet\\GPS Intermediate Driver\\Multiplexer";
inline constexpr char16_t kMultiplexerValue[] = u"DriverInterface";
// The port of the GPS intermediate driver (the multiplexer that shares one receiver among programs).
inline constexpr char16_t kMultiplexerPort[] = u"GPD0:";

constexpr uint32_t kDefaultBaud = 4800;
constexpr uint32_t kDefaultReplayRate = 480;
constexpr uint16_t kDefaultGpsdPort = 2947;

// ---- Configuration (called by the program's start-up for --port and --gpsd) ----------------------------

// True when the device spec is well formed (see above) and, for tty, names a supported baud rate. Whether the
// device exists is only found out on open.
bool valid_spec(std::string_view spec);

// Puts `spec` behind the port `name` ("COM3:"). Returns false, changing nothing, when the name is empty
// or the device spec is not valid; false also when the registry file cannot be saved.
bool configure_port(std::u16string_view name, std::string_view spec);

// The argument of --port: "NAME=SPEC" ("COM3:=tty:/dev/ttyUSB0@9600"). False when there is no '=', or as
// configure_port.
bool configure_port_argument(std::string_view name_equals_spec);

// The argument of --gpsd: "" (127.0.0.1:2947), "HOST", "HOST:PORT" or ":PORT". Maps kMultiplexerPort to
// that gpsd endpoint and sets the multiplexer's "DriverInterface" value to kMultiplexerPort, so the port
// selection offers it. False (nothing changed) when the endpoint is malformed or the registry cannot be saved.
bool configure_gpsd(std::string_view host_port);

// The device spec behind a port name, if one is configured.
std::optional<std::string> port_spec(std::u16string_view name);

// ---- Ports ---------------------------------------------------------------------------------------------

enum class Access { Read, ReadWrite };

// Share modes, as for files: what other opens of the same port in this process may do meanwhile.
// A gpsd port is a multiplexer: every open gets a connection of its own and share modes do not apply.
constexpr uint32_t kShareNone = 0;
constexpr uint32_t kShareRead = 1;
constexpr uint32_t kShareWrite = 2;

class Port;            // opaque
using Handle = Port*;  // nullptr: not open

// Opens the device behind the port name (matched without regard to letter case). nullptr when the name
// is empty or not configured, the device spec is bad, the device cannot be opened (missing file, not a terminal,
// no such host), or an open handle's share mode forbids it. A gpsd port connects in the background: the
// open succeeds once the endpoint resolves, and a refused connection reads as a port that never sends.
Handle open(std::u16string_view name, Access access, uint32_t share);

// Copies up to `count` bytes that have already arrived into `buffer` and returns how many; 0 when nothing
// is waiting, the device has gone, or the handle is null or not open. Never blocks.
uint32_t read(Handle port, void* buffer, uint32_t count);

// Closes the port; null or an already closed handle is harmless.
void close(Handle port);

}  // namespace platform::serial
