// Cutting the byte stream into sentences, splitting fields, and reading numbers, angles and times.

#include "gps/nmea.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/nmea_line.h"

namespace nmea = gps::nmea;

namespace {

using testing_support::nmea_line;

void feed(nmea::ReceiveBuffer* buffer, const std::string& bytes)
{
    ASSERT_EQ(buffer->append(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), bytes.size());
}

// Every sentence the buffer yields now.
std::vector<std::string> drain(nmea::ReceiveBuffer* buffer)
{
    std::vector<std::string> out;
    nmea::Sentence s;
    while (nmea::ExtractSentence(buffer, &s))
        out.emplace_back(s.view());
    return out;
}

TEST(SentenceExtraction, GarbageBeforeTheFirstDollarAndBrokenFragmentsAreDropped)
{
    nmea::ReceiveBuffer buffer;
    feed(&buffer, "noise\x01\xff$GPGGA,broken$GPRMC,1,A\r\n$GPGLL,2\n");
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "GPRMC,1,A\r");  // the carriage return stays in the text
    EXPECT_EQ(got[1], "GPGLL,2");
    EXPECT_EQ(buffer.fill, 0u);

    feed(&buffer, "no dollar at all\r\n");
    EXPECT_TRUE(drain(&buffer).empty());
    EXPECT_EQ(buffer.fill, 0u);
}

TEST(SentenceExtraction, APartialSentenceWaitsForItsLineFeed)
{
    nmea::ReceiveBuffer buffer;
    feed(&buffer, "$GP");
    EXPECT_TRUE(drain(&buffer).empty());  // fewer than 6 bytes
    feed(&buffer, "GGA,1,2");
    EXPECT_TRUE(drain(&buffer).empty());
    EXPECT_EQ(buffer.fill, 10u);
    feed(&buffer, ",3\r\n$GPR");
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "GPGGA,1,2,3\r");
    EXPECT_EQ(buffer.fill, 4u);  // "$GPR" waits
}

TEST(SentenceExtraction, LengthLimitOfTheSentenceCopy)
{
    nmea::ReceiveBuffer buffer;
    const std::string longest = "GPTXT," + std::string(84, 'a') + "\r";  // 91 characters after '$'
    ASSERT_EQ(longest.size(), nmea::kMaxSentenceLength);
    feed(&buffer, "$" + longest + "\n");
    feed(&buffer, "$" + longest + "b\n");  // one more: dropped
    feed(&buffer, "$GPOK,1\n");
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], longest);
    EXPECT_EQ(got[1], "GPOK,1");
}

TEST(SentenceExtraction, AnEndlessLineCannotFillTheBufferForGood)
{
    nmea::ReceiveBuffer buffer;
    feed(&buffer, "$" + std::string(nmea::kReceiveCapacity - 1, 'x'));
    EXPECT_TRUE(drain(&buffer).empty());
    EXPECT_GT(buffer.free_space(), 0u);  // room to read what follows
    feed(&buffer, std::string(100, 'y') + "\n$GPGGA,5\n");
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "GPGGA,5");
}

TEST(SentenceExtraction, ChecksumsAreVerifiedWhenPresent)
{
    nmea::ReceiveBuffer buffer;
    feed(&buffer, nmea_line("GPGGA,good"));
    feed(&buffer, "$GPGGA,bad*00\r\n");
    feed(&buffer, "$GPGGA,none\r\n");
    feed(&buffer, "$GPGGA,short*1\r\n");
    feed(&buffer, "$GPGGA,nothex*ZZ\r\n");
    feed(&buffer, nmea_line("GPGGA,trailing", " \r\n"));
    const std::string lower = nmea_line("GPGGA,lowercase", "\r\n", true);
    ASSERT_NE(lower.find_first_of("abcdef", lower.find('*')), std::string::npos);
    feed(&buffer, lower);
    feed(&buffer, nmea_line("GPGGA,lf only", "\n"));
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].substr(0, 10), "GPGGA,good");
    EXPECT_EQ(got[1], "GPGGA,none\r");
    EXPECT_EQ(got[2].substr(0, 16), "GPGGA,lowercase*");
    EXPECT_EQ(got[3].substr(0, 13), "GPGGA,lf only");
}

TEST(SentenceExtraction, ControlBytesInsideASentenceDropIt)
{
    nmea::ReceiveBuffer buffer;
    // Cut short by a NUL: without the NUL the checksum would be missing and the rest accepted.
    feed(&buffer, std::string("$GPGGA,123", 10) + std::string(1, '\0') + "   *4A\r\n");
    feed(&buffer, "$GPGGA,\x80x\r\n");
    feed(&buffer, "$GPGGA,ok\r\n");
    const auto got = drain(&buffer);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "GPGGA,ok\r");
}

TEST(ReceiveBuffer, AppendStopsAtCapacityAndConsumeMovesTheRestForward)
{
    nmea::ReceiveBuffer buffer;
    const std::string big(600, 'z');
    EXPECT_EQ(buffer.append(reinterpret_cast<const uint8_t*>(big.data()), big.size()), 512u);
    EXPECT_EQ(buffer.free_space(), 0u);
    EXPECT_EQ(buffer.append(reinterpret_cast<const uint8_t*>("a"), 1), 0u);
    buffer.consume(500);
    EXPECT_EQ(buffer.fill, 12u);
    buffer.consume(1000);
    EXPECT_EQ(buffer.fill, 0u);
}

nmea::Sentence sentence_of(const std::string& text)
{
    nmea::Sentence s;
    text.copy(s.text, nmea::kMaxSentenceLength);
    s.length = std::min(text.size(), nmea::kMaxSentenceLength);
    return s;
}

TEST(Fields, SplitAtCommasUpToTheChecksumOrCarriageReturn)
{
    nmea::Fields f;
    nmea::SplitFields(sentence_of("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,42*74\r"), &f);
    EXPECT_EQ(nmea::SentenceIdentifier(sentence_of("GPGSV,3,1*74")), "GPGSV");
    EXPECT_EQ(f.count, 19);
    EXPECT_STREQ(f[0], "3");
    EXPECT_STREQ(f[18], "42");  // the last field stops at '*'
    EXPECT_STREQ(f[19], "");

    nmea::SplitFields(sentence_of("GPGLL,a,,b\r"), &f);
    EXPECT_EQ(f.count, 3);
    EXPECT_STREQ(f[1], "");
    EXPECT_STREQ(f[2], "b");  // and at the carriage return
    EXPECT_STREQ(f[5], "");   // not supplied

    nmea::SplitFields(sentence_of("GPZZZ"), &f);
    EXPECT_EQ(f.count, 0);
    EXPECT_EQ(nmea::SentenceIdentifier(sentence_of("GPZZZ\r")), "GPZZZ");
}

TEST(Fields, LongFieldsAreCutAndExtraFieldsIgnored)
{
    std::string text = "GPXXX," + std::string(25, '7');
    for (int i = 1; i < 24; ++i)
        text += std::string(",") + static_cast<char>('a' + i - 1);
    ASSERT_LE(text.size(), nmea::kMaxSentenceLength);
    nmea::Fields f;
    nmea::SplitFields(sentence_of(text), &f);
    EXPECT_EQ(f.count, nmea::kFieldCount);
    EXPECT_EQ(std::string(f[0]), std::string(19, '7'));
    EXPECT_STREQ(f[1], "a");
    EXPECT_STREQ(f[19], "s");
}

TEST(Numbers, LeadingDigitConversions)
{
    EXPECT_EQ(nmea::LeadingInt(""), 0);
    EXPECT_EQ(nmea::LeadingInt("abc"), 0);
    EXPECT_EQ(nmea::LeadingInt("12abc"), 12);
    EXPECT_EQ(nmea::LeadingInt(" -5"), -5);
    EXPECT_EQ(nmea::LeadingInt("+07"), 7);
    EXPECT_EQ(nmea::LeadingInt("99999999999999"), INT32_MAX);
    EXPECT_EQ(nmea::LeadingInt("-99999999999999"), INT32_MIN);
    EXPECT_EQ(nmea::LeadingDouble(""), 0.0);
    EXPECT_EQ(nmea::LeadingDouble("516.7"), 516.7);
    EXPECT_EQ(nmea::LeadingDouble("00460.0"), 460.0);
    EXPECT_EQ(nmea::LeadingDouble("-16.7M"), -16.7);
    EXPECT_EQ(nmea::LeadingDouble("1.5e3"), 1.5);
    EXPECT_EQ(nmea::LeadingDouble("inf"), 0.0);
    EXPECT_EQ(nmea::LeadingDouble("."), 0.0);
    EXPECT_EQ(nmea::LeadingDouble("1.2.3"), 1.2);
}

TEST(Angles, HemispheresMakeTheWholeAngleNegativeEvenAtZeroDegrees)
{
    nmea::Angle a = nmea::ParseLatitude("0030.0000", "S");
    EXPECT_EQ(a.degrees, 0);
    EXPECT_EQ(a.minutes, -30);
    EXPECT_DOUBLE_EQ(nmea::AngleToDegrees(a), -0.5);
    a = nmea::ParseLongitude("00030.0000", "W");
    EXPECT_DOUBLE_EQ(nmea::AngleToDegrees(a), -0.5);
    a = nmea::ParseLongitude("17518.8938", "E");
    EXPECT_EQ(a.degrees, 175);
    EXPECT_EQ(a.minutes, 18);
    EXPECT_EQ(a.seconds, 53);  // 0.8938 minute = 53.628 seconds
    EXPECT_EQ(a.hundredths, 62);
    EXPECT_FALSE(a.negative());
}

TEST(Angles, MinuteFractionsAreCutOrPaddedToFourDigits)
{
    // 4907.85331: the fifth digit is cut, leaving 0.8533 minute = 51.198 seconds.
    nmea::Angle a = nmea::ParseLatitude("4907.85331", "N");
    EXPECT_EQ(a.seconds, 51);
    EXPECT_EQ(a.hundredths, 19);
    // 4907.12 reads as 1200 ten-thousandths: 7.2 seconds.
    a = nmea::ParseLatitude("4907.12", "N");
    EXPECT_EQ(a.seconds, 7);
    EXPECT_NEAR(nmea::AngleToDegrees(a), 49.0 + 7.12 / 60.0, 0.01 / 3600.0);
    // Eight digits as high-precision receivers send them.
    a = nmea::ParseLongitude("09345.03431408", "W");
    EXPECT_NEAR(nmea::AngleToDegrees(a), -(93.0 + 45.0343 / 60.0), 0.01 / 3600.0);
    // Short and empty fields read as zeros.
    EXPECT_EQ(nmea::AngleToDegrees(nmea::ParseLatitude("", "")), 0.0);
    EXPECT_EQ(nmea::AngleToDegrees(nmea::ParseLatitude("4", "N")), 4.0);
    EXPECT_EQ(nmea::AngleToDegrees(nmea::ParseLongitude("1234", "E")), 123.0 + 4.0 / 60.0);
}

TEST(Times, SecondsSinceMidnightAndHundredths)
{
    nmea::FixTime t = nmea::ParseTime("123519.45");
    EXPECT_EQ(t.seconds, 12 * 3600 + 35 * 60 + 19);
    EXPECT_EQ(t.hundredths, 45);
    t = nmea::ParseTime("030719.000");
    EXPECT_EQ(t.seconds, 3 * 3600 + 7 * 60 + 19);
    EXPECT_EQ(t.hundredths, 0);
    t = nmea::ParseTime("235959");
    EXPECT_EQ(t.seconds, 86399);
    EXPECT_EQ(t.hundredths, 0);
    t = nmea::ParseTime("");
    EXPECT_EQ(t.seconds, 0);
}

}  // namespace
