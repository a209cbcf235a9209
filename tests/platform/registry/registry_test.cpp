#include "registry_fixture.h"

#include <filesystem>

using namespace platform::registry;
namespace pf = platform::files;

using Names = std::vector<std::u16string>;

TEST_F(RegistryTest, EachTypeIsStoredAndQueriedAsItself)
{
    std::vector<uint8_t> all_bytes;
    for (int b = 0; b < 256; ++b)
        all_bytes.push_back(static_cast<uint8_t>(b));
    ASSERT_TRUE(set_text(u"Software\\Varno", u"Port", u"COM3:"));
    ASSERT_TRUE(set_number(u"Software\\Varno", u"Max", 0xFFFFFFFFu));
    ASSERT_TRUE(set_number(u"Software\\Varno", u"Zero", 0));
    ASSERT_TRUE(set_binary(u"Software\\Varno", u"Blob", all_bytes));
    ASSERT_TRUE(set_binary(u"Software\\Varno", u"Empty", {}));

    EXPECT_EQ(query_text(u"Software\\Varno", u"Port"), u"COM3:");
    EXPECT_EQ(query_number(u"Software\\Varno", u"Max"), 0xFFFFFFFFu);
    EXPECT_EQ(query_number(u"Software\\Varno", u"Zero"), 0u);
    auto blob = query(u"Software\\Varno", u"Blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->type, Type::Binary);
    EXPECT_EQ(blob->binary, all_bytes);
    EXPECT_EQ(query(u"Software\\Varno", u"Empty")->binary.size(), 0u);

    EXPECT_EQ(query_text(u"Software\\Varno", u"Max"), std::nullopt);  // wrong type
    EXPECT_EQ(query_number(u"Software\\Varno", u"Port"), std::nullopt);
    EXPECT_EQ(query(u"Software\\Varno", u"Missing"), std::nullopt);
    EXPECT_EQ(query(u"Software\\Missing", u"Port"), std::nullopt);
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreCase)
{
    ASSERT_TRUE(set_text(u"ControlPanel\\GPS Settings", u"Hide", u"1"));
    EXPECT_EQ(query_text(u"CONTROLPANEL\\gps settings", u"HIDE"), u"1");
    EXPECT_EQ(query_text(u"\\ControlPanel\\\\GPS Settings\\", u"hide"), u"1");  // stray separators
    ASSERT_TRUE(set_number(u"controlpanel\\GPS SETTINGS", u"hide", 7));         // replaces, keeps the name
    EXPECT_EQ(value_names(u"ControlPanel\\GPS Settings"), (Names {u"Hide"}));
    EXPECT_EQ(subkeys(u""), (Names {u"ControlPanel"}));
    EXPECT_EQ(query_number(u"ControlPanel\\GPS Settings", u"Hide"), 7u);
}

TEST_F(RegistryTest, ListsKeepOrderOfCreation)
{
    for (const char16_t* name : {u"Zulu", u"alpha", u"Mike"})
        ASSERT_TRUE(create_key(std::u16string(u"Drivers\\") + name));
    ASSERT_TRUE(create_key(u"DRIVERS\\ALPHA"));  // exists already: no duplicate
    EXPECT_EQ(subkeys(u"Drivers"), (Names {u"Zulu", u"alpha", u"Mike"}));
    set_text(u"Drivers", u"b", u"");
    set_text(u"Drivers", u"a", u"");
    set_text(u"Drivers", u"B", u"again");
    EXPECT_EQ(value_names(u"Drivers"), (Names {u"b", u"a"}));
    EXPECT_TRUE(subkeys(u"Nowhere").empty());
    EXPECT_TRUE(value_names(u"Nowhere").empty());
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    set_text(u"ControlPanel\\GPS Settings", u"Redirect", u"x");
    set_text(u"ControlPanel\\GPS Settings", u"Hide", u"y");
    set_number(u"ControlPanel\\GPS Settings\\Deep\\Deeper", u"n", 1);
    EXPECT_TRUE(delete_value(u"controlpanel\\gps settings", u"HIDE"));
    EXPECT_FALSE(delete_value(u"ControlPanel\\GPS Settings", u"Hide"));
    EXPECT_FALSE(delete_value(u"No\\Such", u"Hide"));
    EXPECT_EQ(value_names(u"ControlPanel\\GPS Settings"), (Names {u"Redirect"}));

    EXPECT_TRUE(delete_key(u"ControlPanel\\GPS Settings"));
    EXPECT_FALSE(key_exists(u"ControlPanel\\GPS Settings\\Deep"));
    EXPECT_TRUE(key_exists(u"ControlPanel"));
    EXPECT_FALSE(delete_key(u"ControlPanel\\GPS Settings"));
    EXPECT_FALSE(delete_key(u""));  // the root stays
    reset();
    EXPECT_FALSE(key_exists(u"ControlPanel\\GPS Settings"));
    EXPECT_TRUE(key_exists(u"ControlPanel"));
}

TEST_F(RegistryTest, EverythingSurvivesAReload)
{
    const std::u16string key = u"System\\CurrentControlSet\\GPS Intermediate Driver\\Multiplexer";
    ASSERT_TRUE(set_text(key, u"DriverInterface", u"GPD0:"));
    ASSERT_TRUE(set_number(key, u"Baud", 4800));
    ASSERT_TRUE(set_binary(key, u"Raw", {0, 1, 0xFE, 0xFF}));
    ASSERT_TRUE(create_key(u"Empty\\Leaf"));
    reset();
    EXPECT_EQ(query_text(key, u"DriverInterface"), u"GPD0:");
    EXPECT_EQ(query_number(key, u"Baud"), 4800u);
    EXPECT_EQ(query(key, u"Raw")->binary, (std::vector<uint8_t> {0, 1, 0xFE, 0xFF}));
    EXPECT_TRUE(key_exists(u"Empty\\Leaf"));
    EXPECT_EQ(value_names(key), (Names {u"DriverInterface", u"Baud", u"Raw"}));
    // The file is text a person can read.
    EXPECT_NE(read_registry_file().find("\"DriverInterface\"=text:\"GPD0:\""), std::string::npos);
}

TEST_F(RegistryTest, OddCharactersSurviveAReload)
{
    const std::u16string odd_text = std::u16string(u"quote \" back\\slash \\n not a newline\n"
                                                   u"cr\r tab\t nul\0 del\x7F ] [ = \u00E9\u20AC\U0001F600",
                                        66)
        + char16_t(0xD800) + u"x" + char16_t(0xDFFF);
    const std::u16string odd_key = u"We\"ird]\\Ke\ny [x]";
    const std::u16string odd_name = u"na\"me=\\";
    ASSERT_TRUE(set_text(odd_key, odd_name, odd_text));
    ASSERT_TRUE(set_text(odd_key, u"", u"default value"));
    reset();
    EXPECT_EQ(query_text(odd_key, odd_name), odd_text);
    EXPECT_EQ(query_text(odd_key, u""), u"default value");
    EXPECT_EQ(subkeys(u"We\"ird]"), (Names {u"Ke\ny [x]"}));
}

TEST_F(RegistryTest, FailedSaveKeepsTheLastGoodFile)
{
    ASSERT_TRUE(set_text(u"Keep", u"a", u"saved"));
    std::string before = read_registry_file();
    pf::arm_write_fault(pf::Fault {0, -1, 5});
    EXPECT_FALSE(set_text(u"Keep", u"b", u"lost"));
    pf::clear_faults();
    EXPECT_EQ(read_registry_file(), before);
    EXPECT_FALSE(std::filesystem::exists(registry_host_file() + ".new"));
    reset();
    EXPECT_EQ(query_text(u"Keep", u"a"), u"saved");
    EXPECT_EQ(query_text(u"Keep", u"b"), std::nullopt);
}

TEST_F(RegistryTest, UnreadableFileIsNeverOverwritten)
{
    ASSERT_TRUE(set_text(u"Keep", u"a", u"saved"));
    std::string before = read_registry_file();
    reset();
    pf::arm_read_fault(pf::Fault {0, -1, 3});
    EXPECT_FALSE(set_text(u"Keep", u"b", u"new"));
    EXPECT_EQ(query_text(u"Keep", u"a"), std::nullopt);
    pf::clear_faults();
    EXPECT_EQ(read_registry_file(), before);
    EXPECT_EQ(query_text(u"Keep", u"a"), u"saved");  // read again once it can be
}

TEST_F(RegistryTest, SideFileOfAnInterruptedSaveIsRead)
{
    ASSERT_TRUE(set_number(u"Interrupted", u"n", 42));
    std::filesystem::rename(registry_host_file(), registry_host_file() + ".new");
    reset();
    EXPECT_EQ(query_number(u"Interrupted", u"n"), 42u);
    ASSERT_TRUE(set_number(u"Interrupted", u"m", 1));
    EXPECT_TRUE(std::filesystem::exists(registry_host_file()));
    EXPECT_FALSE(std::filesystem::exists(registry_host_file() + ".new"));
}

TEST_F(RegistryTest, AnotherDeviceRootHasItsOwnRegistry)
{
    ASSERT_TRUE(set_text(u"Where", u"device", u"first"));
    ASSERT_TRUE(pf::set_device_root(m_temp + "/other"));
    EXPECT_EQ(query_text(u"Where", u"device"), std::nullopt);
    ASSERT_TRUE(set_text(u"Where", u"device", u"second"));
    ASSERT_TRUE(pf::set_device_root(m_temp + "/device"));
    EXPECT_EQ(query_text(u"Where", u"device"), u"first");
}
