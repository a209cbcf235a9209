// The keypads' two expression languages against stored points: every form of each language, what fails,
// and the round trip the keypads live by: whatever the form shows in an azimuth field, in any angle mode,
// reads back as the same azimuth.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>

#include "cogo/azimuth_expression.h"
#include "cogo/distance_expression.h"
#include "formats/angle_format.h"
#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/support/temp_device.h"

namespace {

using cogo::evaluate_azimuth_expression;
using cogo::evaluate_distance_expression;

constexpr double kPi = std::numbers::pi;

// Stored (E, N): 12 the origin, 15 at 30.12345 east 40 north of it, 16 due east of it, 17 on top of 12.
class ExpressionTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        formats::reset_display_settings();
        ASSERT_TRUE(store::coord_create(u"\\My Documents\\Keys.dat"));
        store_point(12, 1000, 2000);
        store_point(15, 1030.12345, 2040);
        store_point(16, 1050, 2000);
        store_point(17, 1000, 2000);
    }
    void TearDown() override
    {
        formats::reset_display_settings();
        DeviceTest::TearDown();
    }

    static void store_point(uint32_t number, double e, double n)
    {
        store::PointRecord p;
        p.number = number;
        p.easting = e;
        p.northing = n;
        ASSERT_EQ(store::point_store(p, false), 1);
    }

    const double m_d1215 = std::hypot(30.12345, 40.0);  // 50.0740...
    const double m_a1215 = std::atan2(30.12345, 40.0);  // north-east
};

TEST_F(ExpressionTest, DistanceLanguage)
{
    const double rounded = std::round(m_d1215 * 1000) / 1000;
    struct Case {
        const char16_t* text;
        std::optional<double> value;
    } cases[] = {
        {u"12?15", rounded},
        {u"12,15", rounded},
        {u"12?15+2.5", rounded + 2.5},
        {u" 12 ? 15 - 0.074", rounded - 0.074},
        {u"-12?15", -rounded},
        {u"12?15x2", 2 * rounded},
        {u"10X3", 30.0},
        {u"10x3", 30.0},
        {u"7/2", 3.5},
        {u"-5-3", -8.0},
        {u"+5+3", 8.0},
        {u"12+", 12.0},
        {u"123456.789", 123456.789},
        {u"1.2.3", std::nullopt},
        {u"1e3", std::nullopt},
        {u"10-3-2", std::nullopt},  // one operation only: "3-2" is no number
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"-", std::nullopt},
        {u"x5", std::nullopt},
        {u"L5", std::nullopt},  // a side of a line has no distance of its own
        {u"r", std::nullopt},
        {u"5/0", std::nullopt},
        {u"5/0.000", std::nullopt},
        {u"12?99", std::nullopt},  // not stored
        {u"12?", std::nullopt},
        {u"12?15?16", std::nullopt},
        {u"12?15+a", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
        std::optional<double> got = evaluate_distance_expression(c.text);
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.value);
        }
    }
    EXPECT_EQ(*evaluate_distance_expression(u"12?17"), 0.0);
}

TEST_F(ExpressionTest, AzimuthLanguageInEachAngleMode)
{
    auto near = [](std::optional<double> got, double want) {
        ASSERT_TRUE(got.has_value());
        EXPECT_NEAR(std::remainder(*got - want, 2 * kPi), 0, 1e-12);
        EXPECT_GE(*got, 0);
        EXPECT_LT(*got, 2 * kPi);
    };
    for (int mode : {formats::kAngleDegrees, formats::kAngleGons, formats::kAngleQuadrant}) {
        SCOPED_TRACE(mode);
        formats::set_angle_mode(mode);
        const bool gons = mode == formats::kAngleGons;
        near(evaluate_azimuth_expression(u"12?15"), m_a1215);
        near(evaluate_azimuth_expression(u"12,15.1"), m_a1215 + kPi / 2);
        near(evaluate_azimuth_expression(u"12?15.2"), m_a1215 + kPi);
        near(evaluate_azimuth_expression(u"12?15.3+45"), m_a1215 + 1.5 * kPi);  // the suffix replaces the addend
        near(evaluate_azimuth_expression(gons ? u"12?15+100" : u"12?15+90"), m_a1215 + kPi / 2);
        near(evaluate_azimuth_expression(gons ? u"12?15-200" : u"12?15-180"), m_a1215 + kPi);
        near(evaluate_azimuth_expression(u"12?16?15"), 2 * kPi - (kPi / 2 - m_a1215));
        near(evaluate_azimuth_expression(u"12?15?16+90"), kPi / 2 - m_a1215);  // addend ignored
        near(evaluate_azimuth_expression(gons ? u"350+100" : u"350.3000+20"), gons ? 0.25 * kPi : 10.5 / 180 * kPi);
        near(evaluate_azimuth_expression(u"-10"), gons ? 1.95 * kPi : 350.0 / 180 * kPi);
        if (!gons) {
            near(evaluate_azimuth_expression(u"s45.3000w"), 225.5 / 180 * kPi);
            near(evaluate_azimuth_expression(u"N10E-20"), 350.0 / 180 * kPi);
            near(evaluate_azimuth_expression(u"12\u00BA30'00\""), 12.5 / 180 * kPi);
        } else {
            EXPECT_FALSE(evaluate_azimuth_expression(u"N10E"));
        }
        for (const char16_t* bad : {u"", u"12?15.4", u"12?15.12", u"12?99", u"12?15?99", u"1.2.3", u"12a", u"N45",
                 u"12?15+9x", u"12?15?16?17"})
            EXPECT_FALSE(evaluate_azimuth_expression(bad))
                << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    }
}

// What the form shows is what the keypad is handed: every shown azimuth evaluates to itself.
TEST_F(ExpressionTest, EveryShownAzimuthReadsBackAsItself)
{
    std::mt19937 random(13);
    std::uniform_real_distribution<double> turn(0, 2 * kPi);
    for (int mode : {formats::kAngleDegrees, formats::kAngleGons, formats::kAngleQuadrant}) {
        for (int decimals : {0, 6, 7}) {
            formats::set_angle_mode(mode);
            formats::set_angle_decimals(decimals);
            // The cardinal directions, a hair either side of each, then anywhere.
            for (int i = 0; i < 212; ++i) {
                const double hair = (i % 3 - 1) * 1e-9;
                double azimuth = i < 12 ? (i / 3) * kPi / 2 + hair + (i < 3 && hair < 0 ? 2 * kPi : 0) : turn(random);
                const std::u16string shown = formats::format_azimuth(azimuth);
                std::optional<double> read = evaluate_azimuth_expression(shown);
                ASSERT_TRUE(read) << mode << " " << decimals << " " << azimuth;
                // The full circle the degrees show ("360º 00' 00\"" a hair short of north) comes back as 0.
                const std::u16string again = formats::format_azimuth(*read);
                if (again != shown) {
                    EXPECT_TRUE(shown.starts_with(u"360") && again.starts_with(u"0\u00BA 00' 00"))
                        << mode << " " << decimals << " " << azimuth;
                }
            }
        }
    }
}

}  // namespace
