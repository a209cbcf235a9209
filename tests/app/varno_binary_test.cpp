// The varno executable: its command line, its script mode and the single-instance rule between two
// processes on one device.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "tests/support/child_process.h"
#include "tests/support/host_files.h"

namespace {

using testing_support::ChildProcess;
using testing_support::TempDir;

const std::string kVarno = VARNO_BINARY;
constexpr int kLimitMs = 20000;

std::string write_file(const TempDir& dir, const std::string& name, const std::string& text)
{
    testing_support::write_host_file(dir.path() + "/" + name, text);
    return dir.path() + "/" + name;
}

TEST(VarnoBinary, HelpListsTheOptions)
{
    ChildProcess p(kVarno, {"--help"});
    ASSERT_EQ(p.wait(kLimitMs), 0);
    for (const char* option : {"--device-root", "--card", "--scale", "--headless", "--script", "--port", "--gpsd"})
        EXPECT_NE(p.output().find(option), std::string::npos) << option;
}

TEST(VarnoBinary, UnknownOptionIsNamedAndEndsWithTwo)
{
    ChildProcess p(kVarno, {"--scale", "2", "--frobnicate"});
    EXPECT_EQ(p.wait(kLimitMs), 2);
    EXPECT_NE(p.errors().find("--frobnicate"), std::string::npos) << p.errors();
    EXPECT_EQ(p.output(), "");
}

TEST(VarnoBinary, BadValuesEndWithTwo)
{
    TempDir dev;
    EXPECT_EQ(ChildProcess(kVarno, {"--scale", "0"}).wait(kLimitMs), 2);
    EXPECT_EQ(ChildProcess(kVarno, {"--headless"}).wait(kLimitMs), 2);
    ChildProcess bad_port(
        kVarno, {"--device-root", dev.path(), "--port", "COM3:=modem:/dev/null", "--headless", "--script", "-"});
    EXPECT_EQ(bad_port.wait(kLimitMs), 2);
    EXPECT_NE(bad_port.errors().find("COM3:"), std::string::npos) << bad_port.errors();
}

TEST(VarnoBinary, ScriptThatHoldsEndsWithZero)
{
    TempDir dev;
    std::string script = write_file(dev, "about.txt",
        "# the about box, by key and by menu\n"
        "expect window main\n"
        "key ctrl+a\n"
        "expect window 103\n"
        "command 1\n"
        "menu \"About\"\n"
        "expect window 103\n"
        "command 1\n"
        "expect window main\n"
        "quit\n");
    ChildProcess p(kVarno, {"--device-root", dev.path() + "/device", "--headless", "--script", script});
    EXPECT_EQ(p.wait(kLimitMs), 0) << p.output() << p.errors();
}

TEST(VarnoBinary, FailingExpectationEndsWithOneAndNamesTheLine)
{
    TempDir dev;
    std::string script = write_file(dev, "wrong.txt", "expect window main\nexpect window 103\nquit\n");
    ChildProcess p(kVarno, {"--device-root", dev.path() + "/device", "--headless", "--script", script});
    EXPECT_EQ(p.wait(kLimitMs), 1);
    EXPECT_NE(p.output().find("line 2"), std::string::npos) << p.output();
}

TEST(VarnoBinary, UnreadableScriptEndsWithTwo)
{
    TempDir dev;
    ChildProcess p(
        kVarno, {"--device-root", dev.path() + "/device", "--headless", "--script", dev.path() + "/missing.txt"});
    EXPECT_EQ(p.wait(kLimitMs), 2);
}

TEST(VarnoBinary, SecondStartOnTheSameDeviceBringsTheFirstForwardAndEnds)
{
    TempDir dev;
    const std::string root = dev.path() + "/device";
    ChildProcess first(kVarno, {"--device-root", root, "--headless", "--script", "-"});
    ASSERT_TRUE(first.write_input("key ctrl+a\nexpect window 103\n"));
    ASSERT_EQ(first.read_lines(2, kLimitMs), (std::vector<std::string> {"ok", "ok"})) << first.errors();

    // The second start in window mode: were it not to find the first, it would wait for its window to
    // be closed and run out of time.
    ChildProcess second(kVarno, {"--device-root", root}, {"SDL_VIDEODRIVER=dummy"});
    EXPECT_EQ(second.wait(kLimitMs), 0) << second.output() << second.errors();
    EXPECT_EQ(second.errors(), "");

    // The first is still there, its about box in front.
    ASSERT_TRUE(first.write_input("expect window 103\ncommand 1\nexpect window main\n"));
    EXPECT_EQ(first.read_lines(3, kLimitMs), (std::vector<std::string> {"ok", "ok", "ok"})) << first.errors();

    // Another device is another handheld: its program starts.
    ChildProcess elsewhere(kVarno, {"--device-root", dev.path() + "/other", "--headless", "--script", "-"});
    ASSERT_TRUE(elsewhere.write_input("expect window main\nquit\n"));
    EXPECT_EQ(elsewhere.read_lines(2, kLimitMs), (std::vector<std::string> {"ok", "ok"}));
    EXPECT_EQ(elsewhere.wait(kLimitMs), 0);

    ASSERT_TRUE(first.write_input("quit\n"));
    EXPECT_EQ(first.wait(kLimitMs), 0) << first.errors();
}

TEST(VarnoBinary, PortsAndGpsdAreRecordedInTheDevicesRegistry)
{
    namespace serial = platform::serial;
    TempDir dev;
    const std::string root = dev.path() + "/device";
    std::string script = write_file(dev, "quit.txt", "quit\n");
    ChildProcess p(kVarno,
        {"--device-root", root, "--port", "com3:=replay:/tmp/track.nmea@960", "--gpsd", "localhost:2948", "--headless",
            "--script", script});
    ASSERT_EQ(p.wait(kLimitMs), 0) << p.errors();

    // The registry of that device, read back as the program reads it.
    ASSERT_TRUE(platform::files::set_device_root(root));
    platform::registry::reset();
    EXPECT_EQ(serial::port_spec(u"COM3:").value_or("none"), "replay:/tmp/track.nmea@960");
    EXPECT_NE(serial::port_spec(serial::kMultiplexerPort).value_or("none").find("2948"), std::string::npos);
    EXPECT_EQ(platform::registry::query_text(serial::kMultiplexerKey, serial::kMultiplexerValue).value_or(u""),
        serial::kMultiplexerPort);
    platform::registry::reset();
}

TEST(VarnoBinary, TheCardFolderIsTheStorageCard)
{
    TempDir dev, card;
    // Coords > Open with a new file on the card: the coordinate file appears in the host folder.
    std::string script = write_file(dev, "open.txt",
        "menu \"Coords/Open\"\n"
        "type 1002 \"\\\\Storage Card\\\\Job7.dat\"\n"
        "menu \"OK\"\n"
        "expect window main\n"
        "quit\n");
    ChildProcess p(
        kVarno, {"--device-root", dev.path() + "/device", "--card", card.path(), "--headless", "--script", script});
    ASSERT_EQ(p.wait(kLimitMs), 0) << p.output() << p.errors();
    std::ifstream job(card.path() + "/Job7.dat", std::ios::binary | std::ios::ate);
    ASSERT_TRUE(job.good());
    EXPECT_EQ(job.tellg(), 287);
}

TEST(VarnoBinary, ADeviceRootThatCannotBeMadeEndsWithOne)
{
    TempDir dev;
    write_file(dev, "plain-file", "x");
    ChildProcess p(kVarno, {"--device-root", dev.path() + "/plain-file/device", "--headless", "--script", "-"});
    EXPECT_EQ(p.wait(kLimitMs), 1);
    EXPECT_NE(p.errors().find("device folder"), std::string::npos) << p.errors();
}

TEST(VarnoBinary, WindowModeRunsUntilItsWindowIsClosed)
{
    TempDir dev;
    ChildProcess p(kVarno, {"--device-root", dev.path() + "/device", "--scale", "1"}, {"SDL_VIDEODRIVER=dummy"});
    EXPECT_EQ(p.wait(700, false), -2) << p.errors();
    // SDL turns the termination signal into its quit event, which closes the main window.
    p.terminate();
    EXPECT_EQ(p.wait(kLimitMs), 0) << p.errors();
}

}  // namespace
