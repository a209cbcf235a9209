// Cutting the received byte stream into sentences, and sentences into fields.

#include "gps/nmea.h"

#include <algorithm>
#include <cstring>

namespace gps::nmea {

namespace {

constexpr size_t kMinimumBuffered = 6;

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The text proper: everything before a closing CR.
std::string_view without_cr(std::string_view text)
{
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

// Printable ASCII only, and a checksum, when there is one, of two hexadecimal digits that matches.
bool sentence_is_sound(std::string_view text)
{
    const std::string_view body = without_cr(text);
    if (std::any_of(body.begin(), body.end(), [](char c) { return c < 0x20 || c > 0x7E; }))
        return false;
    const size_t star = body.find('*');
    if (star == std::string_view::npos)
        return true;
    if (body.size() != star + 3)
        return false;
    const int high = hex_value(body[star + 1]);
    const int low = hex_value(body[star + 2]);
    if (high < 0 || low < 0)
        return false;
    uint8_t sum = 0;
    for (size_t i = 0; i < star; ++i)
        sum ^= static_cast<uint8_t>(body[i]);
    return sum == ((high << 4) | low);
}

// Drops bytes up to the first '$'. False when no '$' is left (the buffer is then empty).
bool skip_to_dollar(ReceiveBuffer* buffer)
{
    const uint8_t* end = buffer->bytes + buffer->fill;
    const uint8_t* dollar = std::find(static_cast<const uint8_t*>(buffer->bytes), end, static_cast<uint8_t>('$'));
    buffer->consume(static_cast<size_t>(dollar - buffer->bytes));
    return buffer->fill > 0;
}

enum class Scan { Sentence, Incomplete, Dropped };

// Looks for the line feed of the sentence that starts at the front ('$'). On Sentence, *end is its index.
Scan scan_sentence(ReceiveBuffer* buffer, size_t* end)
{
    for (size_t i = 1; i < buffer->fill; ++i) {
        const uint8_t b = buffer->bytes[i];
        if (b == '$') {
            buffer->consume(i);  // a broken sentence: keep only what starts at the new '$'
            return Scan::Dropped;
        }
        if (i - 1 > kMaxSentenceLength) {
            buffer->consume(1);  // too long for the copy: lose its '$' and so the whole line
            return Scan::Dropped;
        }
        if (b == '\n') {
            *end = i;
            return Scan::Sentence;
        }
    }
    return Scan::Incomplete;
}

}  // namespace

size_t ReceiveBuffer::append(const uint8_t* data, size_t count)
{
    const size_t taken = std::min(count, free_space());
    if (taken == 0)
        return 0;
    std::memcpy(bytes + fill, data, taken);
    fill += taken;
    return taken;
}

void ReceiveBuffer::consume(size_t count)
{
    if (count >= fill) {
        fill = 0;
        return;
    }
    std::memmove(bytes, bytes + count, fill - count);
    fill -= count;
}

bool ExtractSentence(ReceiveBuffer* buffer, Sentence* out)
{
    for (;;) {
        if (!skip_to_dollar(buffer) || buffer->fill < kMinimumBuffered)
            return false;
        size_t end = 0;
        const Scan scan = scan_sentence(buffer, &end);
        if (scan == Scan::Incomplete)
            return false;
        if (scan == Scan::Dropped)
            continue;
        const std::string_view text(reinterpret_cast<const char*>(buffer->bytes + 1), end - 1);
        const bool sound = sentence_is_sound(text);
        if (sound) {
            std::memcpy(out->text, text.data(), text.size());
            out->text[text.size()] = '\0';
            out->length = text.size();
        }
        buffer->consume(end + 1);
        if (sound)
            return true;
    }
}

std::string_view SentenceIdentifier(const Sentence& sentence)
{
    const std::string_view text = sentence.view();
    return text.substr(0, std::min(text.find(','), without_cr(text).size()));
}

void SplitFields(const Sentence& sentence, Fields* out)
{
    *out = Fields {};
    std::string_view text = without_cr(sentence.view());
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return;
    text = text.substr(comma + 1);
    text = text.substr(0, text.find('*'));
    while (out->count < kFieldCount) {
        const size_t next = text.find(',');
        const std::string_view field = text.substr(0, next);
        const size_t kept = std::min(field.size(), kFieldSize - 1);
        std::memcpy(out->field[out->count], field.data(), kept);
        out->field[out->count][kept] = '\0';
        ++out->count;
        if (next == std::string_view::npos)
            break;
        text.remove_prefix(next + 1);
    }
}

}  // namespace gps::nmea
