#pragma once
// Script lines: splitting into words (double quotes group, \" and \\ inside them, # starts a comment)
// and checking each against the command table before anything runs.

#include <string>
#include <string_view>
#include <vector>

namespace platform::driver::script {

struct Word {
    std::string text;
    bool quoted = false;
};

// The words of one line. False with *error set for an unterminated quote or a stray escape.
bool split_line(std::string_view line, std::vector<Word>* words, std::string* error);

// One checked command. Empty `words` stands for a blank or comment line.
struct Step {
    int line = 0;
    std::string source;  // the line as written, without its end of line
    std::vector<Word> words;
};

// Checks the command name, the number of arguments and the numbers among them. False with *error set.
bool check_step(const Step& step, std::string* error);

}  // namespace platform::driver::script
