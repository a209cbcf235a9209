#pragma once
// A small program for the tests of the point dialogs: a main window whose commands open the point editor
// (plain, or with a point handed in), the point list, the statistics and the three prompts, with the
// program's resources installed. What the prompts answered goes into a log the tests read while the
// program is parked.

#include <string>
#include <vector>

namespace point_dialog_program {

constexpr int kOpenEditor = 900;
constexpr int kOpenEditorWithPoint = 901;   // point 77 at E 1234.5, N 6789.25
constexpr int kOpenList = 902;
constexpr int kOpenStatistics = 903;        // with the last chosen name "Lot9.dat"
constexpr int kAskOverwrite = 904;
constexpr int kAskDelete = 905;
constexpr int kAskRenumber = 906;           // with the text "Pt#12 exists.  Enter new pt#."
// The calls that answer: pick_point, ask_overwrite (with the text "Replace?"), ask_delete, ask_renumber
// (with the text "Pt#7 exists.").
constexpr int kPickPoint = 907;
constexpr int kAskOverwriteAnswer = 908;
constexpr int kAskDeleteAnswer = 909;
constexpr int kAskRenumberAnswer = 910;

// "overwrite <dialog result> <yes|no>", "delete ...", "renumber <result> <yes|no> <number>",
// "list <picked number>", "editor closed"; "picked <number> <name> <selection number>" or "picked none
// <selection number>", "yes" or "no", "renumber to <number>" or "renumber skipped".
std::vector<std::string>& log();

int program();

}  // namespace point_dialog_program
