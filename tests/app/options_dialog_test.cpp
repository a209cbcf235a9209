// The options dialog VARNO_OPTIONS driven as a user drives it.

#include "app/preferences.h"
#include "formats/display_settings.h"
#include "tests/app/session_fixture.h"

namespace {

using testing_support::SessionTest;

struct Settings {
    int mode, angle, coord, dist, area;
    bool operator==(const Settings&) const = default;
};

class OptionsDialog : public SessionTest {
protected:
    Settings settings()
    {
        Settings s {};
        m_driver->inspect([&] {
            s = {formats::angle_mode(), formats::angle_decimals(), formats::coordinate_decimals(),
                formats::distance_decimals(), formats::area_decimals()};
        });
        return s;
    }
    std::u16string options_string()
    {
        std::u16string s;
        m_driver->inspect([&] { s = app::preferences_options(app::preferences()); });
        return s;
    }
};

TEST_F(OptionsDialog, OpensOnTheCurrentSettingsWithItsFiveLists)
{
    auto& d = start();
    d.inspect([] {
        formats::set_angle_mode(formats::kAngleQuadrant);
        formats::set_angle_decimals(2);
        formats::set_coordinate_decimals(4);
        formats::set_distance_decimals(1);
        formats::set_area_decimals(7);
    });
    ASSERT_OK(d.menu("Coords/Options"));  // no coordinate file needed
    ASSERT_OK(d.expect_window("VARNO_OPTIONS"));
    EXPECT_OK(d.expect_count(1244, 3));
    EXPECT_OK(d.expect_item(1244, 0, "Degrees"));
    EXPECT_OK(d.expect_item(1244, 1, "Gons (Grads)"));
    EXPECT_OK(d.expect_item(1244, 2, "Quadrantal"));
    for (int id : {1247, 1248, 1249, 1250}) {
        EXPECT_OK(d.expect_count(id, 8));
        for (int i = 0; i < 8; ++i)
            EXPECT_OK(d.expect_item(id, i, std::to_string(i)));
    }
    EXPECT_OK(d.expect_text(1244, "Quadrantal"));
    EXPECT_OK(d.expect_text(1247, "2"));
    EXPECT_OK(d.expect_text(1248, "4"));
    EXPECT_OK(d.expect_text(1249, "1"));
    EXPECT_OK(d.expect_text(1250, "7"));
    EXPECT_OK(d.click("Cancel"));
    EXPECT_OK(d.expect_window("main"));
}

TEST_F(OptionsDialog, ChoosingAModeProposesItsAngleDecimals)
{
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Options"));
    ASSERT_OK(d.select(1244, "Gons (Grads)"));
    EXPECT_OK(d.expect_text(1247, "6"));
    ASSERT_OK(d.select(1244, "Degrees"));
    EXPECT_OK(d.expect_text(1247, "0"));
    ASSERT_OK(d.select(1247, "3"));
    ASSERT_OK(d.select(1244, "Quadrantal"));
    EXPECT_OK(d.expect_text(1247, "0"));
    EXPECT_OK(d.click("Cancel"));
}

TEST_F(OptionsDialog, OkSetsTheSettingsAndTheOptionsStringWhichTheNextStartReads)
{
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Options"));
    ASSERT_OK(d.select(1244, "Gons (Grads)"));
    ASSERT_OK(d.select(1247, "4"));  // the user's choice overrides the proposal
    ASSERT_OK(d.select(1248, "2"));
    ASSERT_OK(d.select(1249, "0"));
    ASSERT_OK(d.select(1250, "5"));
    ASSERT_OK(d.click("OK"));
    EXPECT_OK(d.expect_window("main"));
    EXPECT_EQ(settings(), (Settings {1, 4, 2, 0, 5}));
    EXPECT_EQ(options_string(), u"gons,4,2,0,5");

    restart();
    EXPECT_EQ(settings(), (Settings {1, 4, 2, 0, 5}));
    ASSERT_OK(m_driver->menu("Coords/Options"));
    ASSERT_OK(m_driver->select(1244, "Quadrantal"));
    ASSERT_OK(m_driver->click("OK"));
    EXPECT_EQ(settings(), (Settings {2, 0, 2, 0, 5}));
    EXPECT_EQ(options_string(), u"quads,0,2,0,5");
}

TEST_F(OptionsDialog, CancelEscapeAndClosingChangeNothing)
{
    auto& d = start();
    ASSERT_OK(d.menu("Coords/Options"));
    ASSERT_OK(d.click("OK"));  // the options string now holds the defaults
    const std::u16string before = options_string();
    EXPECT_EQ(before, u"degs,0,3,3,3");
    for (const char* how : {"cancel", "escape"}) {
        ASSERT_OK(d.menu("Coords/Options"));
        ASSERT_OK(d.select(1244, "Gons (Grads)"));
        ASSERT_OK(d.select(1248, "7"));
        ASSERT_OK(d.select(1250, "0"));
        if (std::string(how) == "cancel")
            ASSERT_OK(d.click("Cancel"));
        else
            ASSERT_OK(d.key("escape"));
        EXPECT_OK(d.expect_window("main"));
        EXPECT_EQ(settings(), (Settings {0, 0, 3, 3, 3})) << how;
        EXPECT_EQ(options_string(), before) << how;
    }
}

}  // namespace
