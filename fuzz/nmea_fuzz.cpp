// An NMEA byte stream of any bytes, fed to the receiver link as the port would deliver it: in pieces of
// the sizes the stream's own bytes choose, each followed by a poll in position or satellite mode. The
// sentences cut out of the stream must be the sound ones the reader promises, and the link's answers
// stay in their ranges.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "gps/gps_link.h"
#include "gps/link_state.h"
#include "gps/nmea.h"
#include "platform/clock/clock.h"

namespace {

namespace nmea = gps::nmea;

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

// What ExtractSentence promises of a sentence it hands out.
void check_sentence(const nmea::Sentence& s)
{
    FUZZ_CHECK(s.length <= nmea::kMaxSentenceLength && s.text[s.length] == '\0');
    std::string_view body = s.view();
    if (!body.empty() && body.back() == '\r')
        body.remove_suffix(1);
    for (char c : body)
        FUZZ_CHECK(c >= 0x20 && c <= 0x7E);
    size_t star = body.find('*');
    if (star != std::string_view::npos) {
        FUZZ_CHECK(star + 3 == body.size());
        unsigned sum = 0;
        for (size_t i = 0; i < star; ++i)
            sum ^= static_cast<unsigned char>(body[i]);
        FUZZ_CHECK(int(sum) == hex_value(body[star + 1]) * 16 + hex_value(body[star + 2]));
    }
    nmea::Fields fields;
    nmea::SplitFields(s, &fields);
    FUZZ_CHECK(fields.count >= 0 && fields.count <= nmea::kFieldCount);
    for (const auto& field : fields.field)
        FUZZ_CHECK(strnlen(field, nmea::kFieldSize) < nmea::kFieldSize);
    FUZZ_CHECK(nmea::SentenceIdentifier(s).size() <= s.length);
}

// The sentence reader alone, over the whole stream.
void cut_sentences(const uint8_t* data, size_t size)
{
    nmea::ReceiveBuffer buffer;
    nmea::Sentence sentence;
    size_t at = 0;
    while (at < size) {
        at += buffer.append(data + at, size - at);
        FUZZ_CHECK(buffer.fill <= nmea::kReceiveCapacity);
        while (nmea::ExtractSentence(&buffer, &sentence))
            check_sentence(sentence);
        // A full buffer always gives way: what stays is a partial sentence shorter than the longest.
        FUZZ_CHECK(buffer.fill <= nmea::kMaxSentenceLength + 2);
    }
}

void check_link_answers()
{
    int count = gps::GetSatelliteCount();
    FUZZ_CHECK(count >= 0 && count <= gps::kSatelliteCapacity);
    for (int i = 0; i < count; ++i)
        gps::GetSatellite(i);
    if (!gps::TakeFix())
        return;
    gps::FixDegrees degrees = gps::GetFixDegrees();
    FUZZ_CHECK(std::isfinite(degrees.latitude) && std::isfinite(degrees.longitude));
    double northing = 0, easting = 0, elevation = 0;
    int zone = 0;
    FUZZ_CHECK(gps::GetFixGrid(&northing, &easting, &elevation, &zone));
    FUZZ_CHECK(zone >= 1 && zone <= 60);
    gps::GetFixTime();
}

// The link, fed piece by piece as its timer would read the port.
void feed_link(const uint8_t* data, size_t size)
{
    gps::ResetGpsLink();
    nmea::ReceiveBuffer& buffer = gps::link::state().buffer;
    size_t at = 0;
    while (at < size) {
        // After a poll at most one partial sentence is left, so the piece always finds room.
        size_t piece = std::min<size_t>(1 + data[at] % 160, size - at);
        gps::GpsMode mode = data[at] % 5 == 0 ? gps::GpsMode::Satellites : gps::GpsMode::Position;
        FUZZ_CHECK(buffer.append(data + at, piece) == piece);
        at += piece;
        platform::clock::advance_ms(1000);
        gps::PollGps(mode);
        check_link_answers();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!platform::clock::is_virtual())
        platform::clock::use_virtual_time(10 * 3600);
    cut_sentences(data, size);
    feed_link(data, size);
    return 0;
}
