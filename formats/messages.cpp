// The message helpers. The sink is process-wide: the application points it at a message box on start-up,
// tests point it at a recorder; until then messages go to standard error so none is lost.

#include "formats/messages.h"

#include "platform/reset/reset.h"
#include "platform/text/text.h"

#include <cstdio>
#include <utility>

namespace formats {

namespace {

struct MessageState {
    // The installed sink; empty means the default (standard error). Owned here for the whole run.
    MessageSink sink;
};

MessageState s_messages;

void write_to_standard_error(const std::u16string& caption, const std::u16string& text)
{
    std::string line = platform::text::to_utf8(caption) + ": " + platform::text::to_utf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

void set_message_sink(MessageSink sink)
{
    s_messages.sink = std::move(sink);
}

void message(std::u16string_view caption, std::u16string_view text)
{
    std::u16string caption_copy(caption);
    std::u16string text_copy(text);
    if (!s_messages.sink) {
        write_to_standard_error(caption_copy, text_copy);
        return;
    }
    // A copy, so a sink that replaces itself while it runs does not destroy the function being called.
    MessageSink sink = s_messages.sink;
    sink(caption_copy, text_copy);
}

void message_number(std::u16string_view caption, long number)
{
    message(caption, platform::text::from_ansi(platform::text::format("%ld", number)));
}

void message_ansi(std::string_view caption, std::string_view text)
{
    message(platform::text::from_ansi(caption), platform::text::from_ansi(text));
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Foundation, [] { set_message_sink({}); });

}  // namespace

}  // namespace formats
