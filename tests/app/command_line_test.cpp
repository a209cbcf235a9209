#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using app::parse_command_line;

TEST(CommandLine, NoArgumentsGiveTheDefaults)
{
    auto r = parse_command_line({});
    ASSERT_EQ(r.error, "");
    EXPECT_FALSE(r.options.device_root);
    EXPECT_FALSE(r.options.card);
    EXPECT_EQ(r.options.scale, 2);
    EXPECT_FALSE(r.options.headless);
    EXPECT_FALSE(r.options.script);
    EXPECT_TRUE(r.options.ports.empty());
    EXPECT_FALSE(r.options.gpsd);
    EXPECT_FALSE(r.options.help);
}

TEST(CommandLine, EveryOptionWithSeparateAndInlineValues)
{
    auto r = parse_command_line(
        {"--device-root", "/tmp/dev", "--card=/tmp/card", "--scale", "3", "--headless", "--script=-", "--port",
            "COM3:=tty:/dev/ttyUSB0@4800", "--port=COM4:=gpsd:localhost", "--gpsd", "localhost:2948"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(*r.options.device_root, "/tmp/dev");
    EXPECT_EQ(*r.options.card, "/tmp/card");
    EXPECT_EQ(r.options.scale, 3);
    EXPECT_TRUE(r.options.headless);
    EXPECT_EQ(*r.options.script, "-");
    ASSERT_EQ(r.options.ports.size(), 2u);
    EXPECT_EQ(r.options.ports[0], "COM3:=tty:/dev/ttyUSB0@4800");
    EXPECT_EQ(r.options.ports[1], "COM4:=gpsd:localhost");
    EXPECT_EQ(*r.options.gpsd, "localhost:2948");
}

TEST(CommandLine, GpsdEndpointMayBeLeftOut)
{
    auto last = parse_command_line({"--gpsd"});
    ASSERT_EQ(last.error, "");
    ASSERT_TRUE(last.options.gpsd);
    EXPECT_EQ(*last.options.gpsd, "");

    // The next option is not taken for the endpoint.
    auto before = parse_command_line({"--gpsd", "--scale", "1"});
    ASSERT_EQ(before.error, "");
    EXPECT_EQ(*before.options.gpsd, "");
    EXPECT_EQ(before.options.scale, 1);
}

TEST(CommandLine, ScaleMustBeAWholeNumberFromOneToSixteen)
{
    EXPECT_EQ(parse_command_line({"--scale", "1"}).options.scale, 1);
    EXPECT_EQ(parse_command_line({"--scale", "16"}).options.scale, 16);
    for (const char* bad : {"0", "17", "-2", "2x", "", "two", "2.5"})
        EXPECT_NE(parse_command_line({"--scale", bad}).error, "") << bad;
    EXPECT_NE(parse_command_line({"--scale"}).error, "");
}

TEST(CommandLine, MissingValuesAreErrors)
{
    for (const char* option : {"--device-root", "--card", "--script", "--port"}) {
        auto r = parse_command_line({option});
        EXPECT_NE(r.error.find(option), std::string::npos) << r.error;
    }
    EXPECT_NE(parse_command_line({"--device-root="}).error, "");
}

TEST(CommandLine, PortNeedsANameAndASpec)
{
    for (const char* bad : {"COM3:", "=tty:/dev/ttyS0", "COM3:="})
        EXPECT_NE(parse_command_line({"--port", bad}).error, "") << bad;
}

TEST(CommandLine, UnknownOptionsAndStrayArgumentsAreNamed)
{
    auto unknown = parse_command_line({"--scale", "2", "--colour"});
    EXPECT_NE(unknown.error.find("--colour"), std::string::npos) << unknown.error;
    auto stray = parse_command_line({"job.dat"});
    EXPECT_NE(stray.error.find("job.dat"), std::string::npos) << stray.error;
    EXPECT_NE(parse_command_line({"--headless=yes", "--script", "x"}).error, "");
}

TEST(CommandLine, HeadlessAndScriptGoTogether)
{
    EXPECT_NE(parse_command_line({"--headless"}).error, "");
    EXPECT_NE(parse_command_line({"--script", "run.txt"}).error, "");
    EXPECT_EQ(parse_command_line({"--script", "run.txt", "--headless"}).error, "");
}

TEST(CommandLine, HelpWinsOverMissingCompanions)
{
    auto r = parse_command_line({"--headless", "--help"});
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.options.help);
    EXPECT_NE(app::usage_text().find("--device-root"), std::string::npos);
}

}  // namespace
