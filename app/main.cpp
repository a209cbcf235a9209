// varno: the field-survey computation program on a Linux desktop (or headless, driven by a script).

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/launch.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    app::ParsedCommandLine parsed = app::parse_command_line(args);
    if (!parsed.error.empty()) {
        std::cerr << "varno: " << parsed.error << "\nTry 'varno --help' for the options.\n";
        return 2;
    }
    return app::launch(parsed.options, std::cin, std::cout, std::cerr);
}
