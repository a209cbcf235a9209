#pragma once
// The program's message helpers: an OK message box with a caption and a text, and no owner. The
// computation modules (store, cogo, calc, gps) report through these and never touch the window manager;
// the application installs the sink that shows the message box, tests install one that records.

#include <functional>
#include <string>
#include <string_view>

namespace formats {

// Receives caption and text. Runs on the user-interface thread and may block (a modal message box).
using MessageSink = std::function<void(const std::u16string& caption, const std::u16string& text)>;

// Installs the sink; an empty one restores the default, which writes "caption: text" to standard error.
void set_message_sink(MessageSink sink);

// An OK message box with no owner.
void message(std::u16string_view caption, std::u16string_view text);
// The number formatted with "%ld" as the text.
void message_number(std::u16string_view caption, long number);
// Both texts 8-bit (Windows-1252), converted to wide first.
void message_ansi(std::string_view caption, std::string_view text);

}  // namespace formats
