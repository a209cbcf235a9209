#pragma once
// The launch options of the varno executable. The program itself takes none; these choose where its
// device lives on the host, how it is shown, and what stands behind its serial ports.

#include <optional>
#include <string>
#include <vector>

namespace app {

struct LaunchOptions {
    std::optional<std::string> device_root;  // --device-root DIR (default: $XDG_DATA_HOME/varno)
    std::optional<std::string> card;         // --card DIR, mounted as \Storage Card (default: cwd)
    int scale = 2;                           // --scale N: screen pixels per device pixel, 1..16
    bool headless = false;                   // --headless: no window; needs --script
    std::optional<std::string> script;       // --script FILE, "-" for standard input
    std::vector<std::string> ports;          // --port NAME=SPEC, each as given
    std::optional<std::string> gpsd;         // --gpsd [HOST:PORT]; empty text: the default endpoint
    bool help = false;                       // --help
};

struct ParsedCommandLine {
    LaunchOptions options;
    std::string error;  // empty when the command line is good
};

// Parses the arguments after the program name. Options take their value as the next argument or after
// "=" (--scale=3). An unknown option, a missing or bad value, a stray argument or --headless without
// --script gives an error text naming the culprit.
ParsedCommandLine parse_command_line(const std::vector<std::string>& args);

// The --help text.
std::string usage_text();

}  // namespace app
