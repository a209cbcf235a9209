#pragma once
// NMEA 0183 sentences as the receiver link reads them: the receive buffer, the cutting of the byte stream
// into sentences, the split into fields, and the readers of numbers, angles and times in those fields.
//
// A sentence on the wire: '$', an identifier of a two-letter talker and three-letter type ("GPGGA"),
// comma-separated fields, optionally '*' and two hexadecimal digits (the XOR of every character between
// '$' and '*'), CR LF. Receivers also send LF alone, so the CR is optional.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gps::nmea {

constexpr size_t kReceiveCapacity = 512;
constexpr size_t kSentenceCopySize = 92;                      // text after '$' and a NUL
constexpr size_t kMaxSentenceLength = kSentenceCopySize - 1;  // 91 characters, CR included
constexpr int kFieldCount = 20;
constexpr size_t kFieldSize = 20;  // 19 characters and a NUL

// Bytes received and not yet cut into sentences. Consumed bytes are removed by moving the rest forward.
struct ReceiveBuffer {
    uint8_t bytes[kReceiveCapacity] = {};
    size_t fill = 0;

    size_t free_space() const { return kReceiveCapacity - fill; }
    // Appends at most free_space() bytes; returns how many were taken.
    size_t append(const uint8_t* data, size_t count);
    // Removes the first `count` bytes (all when count >= fill).
    void consume(size_t count);
};

// One sentence without its '$' and line feed (a CR before the line feed stays), NUL-terminated.
struct Sentence {
    char text[kSentenceCopySize] = {};
    size_t length = 0;

    std::string_view view() const { return {text, length}; }
};

// Cuts the next complete, sound sentence from the front of the buffer:
//   - bytes before the first '$' are discarded;
//   - with fewer than 6 bytes buffered nothing is available yet;
//   - a '$' met before the line feed drops the fragment before it (a broken sentence);
//   - without a line feed yet, the partial sentence stays for the next read;
//   - a line longer than kMaxSentenceLength is dropped (as soon as it is known to be too long, so a long
//     line cannot fill the buffer and stall the link);
//   - a sentence holding control bytes (other than its closing CR) or bytes above 0x7E is dropped;
//   - a sentence with a checksum ("*hh") that is malformed or does not match is dropped; one without a
//     checksum is accepted.
// Returns false when no sentence is available; consumed and dropped bytes are gone either way.
bool ExtractSentence(ReceiveBuffer* buffer, Sentence* out);

// The fields of a sentence: field 0 is the first after the identifier. The last field ends at the '*' of
// the checksum, at a CR, or at the end of the text. Each field is cut to 19 characters; fields past the
// twentieth are ignored; fields the sentence does not supply are empty.
struct Fields {
    char field[kFieldCount][kFieldSize] = {};
    int count = 0;  // fields the sentence supplied, at most kFieldCount

    const char* operator[](int i) const { return field[i]; }
};

// The identifier (text before the first comma, or before the end) and the fields.
std::string_view SentenceIdentifier(const Sentence& sentence);
void SplitFields(const Sentence& sentence, Fields* out);

// Leading-number conversions: optional spaces and sign, then digits; what follows is ignored. Text that
// does not start with a number reads as 0. Integers saturate at the int32_t range.
int32_t LeadingInt(std::string_view text);
double LeadingDouble(std::string_view text);

// An angle as the receiver sent it, cut into whole degrees, minutes, seconds and hundredths of a second.
// In the southern or western hemisphere every part is negative (so -0 degrees 30 minutes stays negative).
struct Angle {
    int32_t degrees = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t hundredths = 0;

    bool negative() const { return degrees < 0 || minutes < 0 || seconds < 0 || hundredths < 0; }
};

// "ddmm.mmmm" with hemisphere "N"/"S", and "dddmm.mmmm" with "E"/"W". Only the first four digits of the
// minute fraction count (fewer are padded with zeros); seconds and hundredths are truncated from them.
Angle ParseLatitude(std::string_view field, std::string_view hemisphere);
Angle ParseLongitude(std::string_view field, std::string_view hemisphere);
// Decimal degrees: sign * (|degrees| + minutes / 60 + (seconds + hundredths / 100) / 3600).
double AngleToDegrees(const Angle& angle);

// "hhmmss.ss": seconds since midnight and hundredths.
struct FixTime {
    int32_t seconds = 0;
    int32_t hundredths = 0;
};
FixTime ParseTime(std::string_view field);

}  // namespace gps::nmea
