// The preferences record and Varno.prefs: layout, load, apply, save; the options string.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "app/options_string.h"
#include "app/preferences.h"
#include "formats/display_settings.h"
#include "formats/messages.h"
#include "gps/gps_link.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/view_extents.h"
#include "tests/support/temp_device.h"

namespace {

namespace files = platform::files;
using Bytes = std::vector<uint8_t>;

constexpr const char16_t* kDir = u"\\Program Files\\Varno\\";
constexpr const char16_t* kPrefs = u"\\Program Files\\Varno\\Varno.prefs";

class Preferences : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        formats::set_message_sink([this](const std::u16string& caption, const std::u16string& text) {
            m_messages.push_back(caption + u" / " + text);
        });
    }

    static void write_host(const std::u16string& device_path, const Bytes& bytes)
    {
        write_bytes(device_path, std::string(bytes.begin(), bytes.end()));
    }
    static Bytes read_host(const std::u16string& device_path)
    {
        const std::string bytes = read_bytes(device_path);
        return Bytes(bytes.begin(), bytes.end());
    }
    static Bytes pattern(size_t size)
    {
        Bytes b(size);
        for (size_t i = 0; i < size; ++i)
            b[i] = uint8_t(i * 7 + 3);
        return b;
    }
    static double double_at(const Bytes& b, size_t offset)
    {
        double v;
        std::memcpy(&v, b.data() + offset, 8);  // the test machine is little-endian, as the file
        return v;
    }

    std::vector<std::u16string> m_messages;
};

// ---- Record fields --------------------------------------------------------------------------------

TEST_F(Preferences, TextFieldsAreUtf16WithTheirNulAndSurviveAFieldWithoutOne)
{
    app::PreferencesRecord r {};
    ASSERT_TRUE(app::set_field_text(r.port_name, u"COM3:"));
    const uint8_t expected[16] = {'C', 0, 'O', 0, 'M', 0, '3', 0, ':', 0};
    EXPECT_EQ(std::memcmp(r.port_name, expected, 16), 0);
    EXPECT_EQ(app::field_text(r.port_name), u"COM3:");

    EXPECT_TRUE(app::set_field_text(r.port_name, u"1234567"));
    EXPECT_FALSE(app::set_field_text(r.port_name, u"12345678"));  // no room for the NUL
    EXPECT_EQ(app::field_text(r.port_name), u"1234567");
    std::memset(r.port_name, 'A', sizeof r.port_name);  // no NUL at all
    EXPECT_EQ(app::field_text(r.port_name), std::u16string(8, u'\x4141'));

    app::set_field_text(r.last_file, std::u16string(133, u'x'));
    EXPECT_EQ(app::preferences_last_file(r).size(), 133u);
    EXPECT_FALSE(app::set_field_text(r.last_file, std::u16string(134, u'x')));
    EXPECT_EQ(app::field_capacity(sizeof r.options), 49u);
}

TEST_F(Preferences, APortNameLongerThanTheFieldIsCutToSeven)
{
    app::PreferencesRecord r {};
    app::set_preferences_port_name(&r, u"GPD0:extra");
    EXPECT_EQ(app::preferences_port_name(r), u"GPD0:ex");
}

TEST_F(Preferences, NumbersAreLittleEndian)
{
    app::PreferencesRecord r {};
    app::set_field_double(r.min_e, 1.5);  // 0x3FF8000000000000
    const uint8_t expected[8] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
    EXPECT_EQ(std::memcmp(r.min_e, expected, 8), 0);
    EXPECT_EQ(app::field_double(r.min_e), 1.5);
    app::set_field_float(r.marker, 0.8f);  // 0x3F4CCCCD
    const uint8_t marker[4] = {0xCD, 0xCC, 0x4C, 0x3F};
    EXPECT_EQ(std::memcmp(r.marker, marker, 4), 0);
}

// ---- Options string -------------------------------------------------------------------------------

struct Settings {
    int mode, angle, coord, dist, area;
    bool operator==(const Settings&) const = default;
};
Settings current()
{
    return {formats::angle_mode(), formats::angle_decimals(), formats::coordinate_decimals(),
        formats::distance_decimals(), formats::area_decimals()};
}

TEST_F(Preferences, OptionsFieldsAreReadOnlyAsFarAsTheCommasAllow)
{
    const struct {
        const char16_t* options;
        Settings expected;  // from the defaults: degrees, 0, 3, 3, 3
    } cases[] = {
        {u"quads,0,2,2,1", {2, 0, 2, 2, 1}},
        {u"gons,4", {1, 6, 3, 3, 3}},  // no comma after the 4
        {u"gons,4,", {1, 4, 3, 3, 3}},
        {u"gons,6,3,3,2", {1, 6, 3, 3, 2}},
        {u"degs,2,5,4", {0, 2, 5, 3, 3}},   // no fourth comma: distance and area not read
        {u"degs,2,5,4,", {0, 2, 5, 4, 0}},  // empty area field reads as 0
        {u"quads", {2, 6, 3, 3, 3}},
        {u"", {0, 0, 3, 3, 3}},
        {u"GONS,1,1,1,1", {0, 1, 1, 1, 1}},  // the keyword is compared exactly
        {u"gons ,1,1,1,1", {0, 1, 1, 1, 1}},
        {u"gons,x,-4, 12,5z", {1, 0, 0, 7, 5}},  // held within 0..7, reading stops at a non-digit
        {u"gons,99999999999,1,1,1", {1, 7, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        formats::reset_display_settings();
        app::apply_options_string(c.options);
        EXPECT_EQ(current(), c.expected) << platform::text::to_utf8(c.options);
    }
}

TEST_F(Preferences, SettingsWhoseFieldIsNotReadKeepTheirValues)
{
    formats::set_coordinate_decimals(5);
    formats::set_area_decimals(1);
    app::apply_options_string(u"degs,2,");
    EXPECT_EQ(current(), (Settings {0, 2, 5, 3, 1}));
}

TEST_F(Preferences, TheBuiltStringReadsBackAsTheSameSettings)
{
    formats::reset_display_settings();
    EXPECT_EQ(app::build_options_string(), u"degs,0,3,3,3");
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        const Settings s {
            int(random() % 3), int(random() % 8), int(random() % 8), int(random() % 8), int(random() % 8)};
        formats::set_angle_mode(s.mode);
        formats::set_angle_decimals(s.angle);
        formats::set_coordinate_decimals(s.coord);
        formats::set_distance_decimals(s.dist);
        formats::set_area_decimals(s.area);
        const std::u16string built = app::build_options_string();
        formats::reset_display_settings();
        app::apply_options_string(built);
        ASSERT_EQ(current(), s) << platform::text::to_utf8(built);
    }
    formats::set_angle_mode(9);  // a mode no dialog offers is written as degrees
    EXPECT_EQ(app::build_options_string().substr(0, 5), u"degs,");
}

// ---- Load and apply -------------------------------------------------------------------------------

TEST_F(Preferences, AMissingFileLeavesTheRecordZero)
{
    app::PreferencesRecord r;
    std::memset(&r, 0xAB, sizeof r);
    EXPECT_EQ(app::load_preferences(kDir, &r), -1);
    const app::PreferencesRecord zero {};
    EXPECT_EQ(std::memcmp(&r, &zero, sizeof r), 0);
    EXPECT_EQ(app::preferences_path(kDir), kPrefs);
    EXPECT_EQ(app::preferences_path(u""), u"Varno.prefs");
}

TEST_F(Preferences, AShortFileFillsWhatItHoldsAndALongOneOnlyTheRecord)
{
    write_host(kPrefs, pattern(100));
    app::PreferencesRecord r;
    ASSERT_EQ(app::load_preferences(kDir, &r), 0);
    Bytes got(reinterpret_cast<uint8_t*>(&r), reinterpret_cast<uint8_t*>(&r) + sizeof r);
    Bytes expected = pattern(100);
    expected.resize(568, 0);
    EXPECT_EQ(got, expected);

    write_host(kPrefs, pattern(1000));
    ASSERT_EQ(app::load_preferences(u"\\PROGRAM FILES\\VARNO\\", &r), 0);  // found without regard to case
    got.assign(reinterpret_cast<uint8_t*>(&r), reinterpret_cast<uint8_t*>(&r) + sizeof r);
    expected = pattern(1000);
    expected.resize(568);
    EXPECT_EQ(got, expected);
}

TEST_F(Preferences, ApplySetsThePortEvenWhenEmptyAndTheSettings)
{
    app::PreferencesRecord r {};
    app::set_preferences_options(&r, u"quads,0,2,2,1");
    app::apply_preferences(r);
    EXPECT_EQ(gps::GetGpsPortName(), u"");
    EXPECT_EQ(current(), (Settings {2, 0, 2, 2, 1}));
    app::set_preferences_port_name(&r, u"COM5:");
    app::apply_preferences(r);
    EXPECT_EQ(gps::GetGpsPortName(), u"COM5:");
}

// ---- Save -----------------------------------------------------------------------------------------

TEST_F(Preferences, SaveWritesExactlyTheRecordWithMarkerPathAndExtents)
{
    ASSERT_TRUE(store::coord_create(u"\\My Documents\\Lot7.dat"));
    store::view_extents_set(100.25, -400.125, 300.75, 200.5);
    app::PreferencesRecord r {};
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    const Bytes b = read_host(kPrefs);
    ASSERT_EQ(b.size(), 568u);
    EXPECT_EQ(std::memcmp(b.data(), &r, 568), 0);
    const uint8_t marker[4] = {0xCD, 0xCC, 0x4C, 0x3F};
    EXPECT_EQ(std::memcmp(b.data(), marker, 4), 0);
    EXPECT_EQ(double_at(b, 88), 100.0);  // the extents are kept as whole numbers
    EXPECT_EQ(double_at(b, 96), -400.0);
    EXPECT_EQ(double_at(b, 104), 300.0);
    EXPECT_EQ(double_at(b, 112), 200.0);
    EXPECT_EQ(app::preferences_last_file(r), u"\\My Documents\\Lot7.dat");
    EXPECT_TRUE(m_messages.empty());

    store::coord_close();
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    EXPECT_EQ(app::preferences_last_file(r), u"----");
    // The rest of the field is cleared: no tail of the longer path is left behind.
    EXPECT_EQ(read_host(kPrefs)[120 + 8], 0);
    EXPECT_EQ(read_host(kPrefs)[120 + 12], 0);
}

TEST_F(Preferences, UnusedReservedPortAndOptionsAreKeptAsReadAndALongerFileKeepsItsTail)
{
    Bytes original = pattern(700);
    write_host(kPrefs, original);
    app::PreferencesRecord r;
    ASSERT_EQ(app::load_preferences(kDir, &r), 0);
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    const Bytes b = read_host(kPrefs);
    ASSERT_EQ(b.size(), 700u);
    for (size_t i = 4; i < 88; ++i)
        ASSERT_EQ(b[i], original[i]) << i;
    for (size_t i = 388; i < 700; ++i)  // port, reserved, options and the tail
        ASSERT_EQ(b[i], original[i]) << i;
    EXPECT_EQ(app::text_from_bytes(b.data() + 120, 268), u"----");
}

TEST_F(Preferences, TheLongestPathTheStoreKeepsIsSavedWhole)
{
    // Folders so that the full path is exactly 133 characters.
    std::u16string folder = u"\\My Documents\\" + std::u16string(100, u'f');
    ASSERT_TRUE(files::create_directory(folder));
    const std::u16string path = folder + u"\\" + std::u16string(133 - folder.size() - 5, u'p') + u".dat";
    ASSERT_EQ(path.size(), 133u);
    ASSERT_TRUE(store::coord_create(path));
    app::PreferencesRecord r {};
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    app::PreferencesRecord back;
    ASSERT_EQ(app::load_preferences(kDir, &back), 0);
    EXPECT_EQ(app::preferences_last_file(back), path);

    // One character more is refused by the store, so nothing that long is ever the open file.
    EXPECT_FALSE(store::coord_create(path + u"x"));
    EXPECT_EQ(store::coord_full_path(), path);
}

TEST_F(Preferences, AFileThatCannotBeOpenedOrCreatedIsReported)
{
    app::PreferencesRecord r {};
    EXPECT_EQ(app::save_preferences(u"\\No Such Folder\\", &r), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], u"Error opening file: / \\No Such Folder\\Varno.prefs");
}

TEST_F(Preferences, AShortWriteIsAFailureNotASuccess)
{
    app::PreferencesRecord r {};
    files::arm_write_fault({0, 1, 100});
    EXPECT_EQ(app::save_preferences(kDir, &r), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], u"Error writing file: / \\Program Files\\Varno\\Varno.prefs");
}

TEST_F(Preferences, AFailedWriteLeavesTheLastGoodFileWithItsTail)
{
    const Bytes original = pattern(700);
    write_host(kPrefs, original);
    app::PreferencesRecord r;
    ASSERT_EQ(app::load_preferences(kDir, &r), 0);
    for (uint32_t moved : {0u, 100u, 567u}) {
        files::arm_write_fault({0, 1, moved});
        EXPECT_EQ(app::save_preferences(kDir, &r), -1);
        EXPECT_EQ(read_host(kPrefs), original) << moved;
    }
    EXPECT_EQ(m_messages, std::vector<std::u16string>(3, u"Error writing file: / \\Program Files\\Varno\\Varno.prefs"));
    EXPECT_EQ(files::attributes(files::side_path(kPrefs)), files::kInvalidAttributes);

    // Once the write goes through, the file is the new record followed by the old tail.
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    const Bytes b = read_host(kPrefs);
    ASSERT_EQ(b.size(), 700u);
    EXPECT_EQ(std::memcmp(b.data(), &r, 568), 0);
    EXPECT_TRUE(std::equal(original.begin() + 568, original.end(), b.begin() + 568));
    EXPECT_EQ(files::attributes(files::side_path(kPrefs)), files::kInvalidAttributes);
}

TEST_F(Preferences, WithTheDiskFullThereIsNeverAnEmptyFile)
{
    app::PreferencesRecord r {};
    files::arm_write_fault({0, -1, 0});
    EXPECT_EQ(app::save_preferences(kDir, &r), -1);
    EXPECT_EQ(files::attributes(kPrefs), files::kInvalidAttributes);  // none rather than an empty one
    EXPECT_EQ(files::attributes(files::side_path(kPrefs)), files::kInvalidAttributes);

    files::clear_faults();
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    const Bytes good = read_host(kPrefs);
    files::arm_write_fault({0, -1, 0});
    EXPECT_EQ(app::save_preferences(kDir, &r), -1);
    EXPECT_EQ(read_host(kPrefs), good);
}

TEST_F(Preferences, AFolderThatTakesNoNewFileIsWrittenInPlace)
{
    const std::string folder = files::host_path(u"\\Program Files\\Varno");
    app::PreferencesRecord r {};
    {
        // No file can be made there, the side file nor the file itself.
        testing_support::ReadOnlyFolder locked(folder);
        EXPECT_EQ(app::save_preferences(kDir, &r), -1);
        EXPECT_EQ(
            m_messages, std::vector<std::u16string> {u"Error opening file: / \\Program Files\\Varno\\Varno.prefs"});
        EXPECT_EQ(files::attributes(kPrefs), files::kInvalidAttributes);
    }
    m_messages.clear();
    const Bytes original = pattern(700);
    write_host(kPrefs, original);
    ASSERT_EQ(app::load_preferences(kDir, &r), 0);
    testing_support::ReadOnlyFolder locked(folder);
    ASSERT_EQ(app::save_preferences(kDir, &r), 0);
    const Bytes b = read_host(kPrefs);
    ASSERT_EQ(b.size(), 700u);
    EXPECT_EQ(std::memcmp(b.data(), &r, 568), 0);
    EXPECT_TRUE(std::equal(original.begin() + 568, original.end(), b.begin() + 568));

    // In place, a write that moves nothing leaves the file as it was.
    files::arm_write_fault({0, -1, 0});
    EXPECT_EQ(app::save_preferences(kDir, &r), -1);
    EXPECT_EQ(read_host(kPrefs), b);
    EXPECT_EQ(m_messages, std::vector<std::u16string> {u"Error writing file: / \\Program Files\\Varno\\Varno.prefs"});
}

}  // namespace
