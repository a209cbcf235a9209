// The transformation: its 96-byte block, forward and inverse transforms, the least-squares similarity
// from control pairs, and applying parameters to a range of stored points.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <random>

#include "calc/similarity_fit.h"
#include "calc/transform.h"
#include "calc/transform_apply.h"
#include "calc/transform_parameters.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/support/temp_device.h"

namespace {

using calc::ControlPairs;
using calc::TransformParameters;
using calc::Xyz;

constexpr double kPi = 3.141592653589793;

TEST(TransformBlock, EncodesTheFieldsInFileOrderAndReadsThemBack)
{
    EXPECT_EQ(std::bit_cast<uint64_t>(calc::kUnset), 0xC1CD6F34588FCD6Full);
    TransformParameters p;
    p.source_from = 1;
    p.source_to = 0xFFFFFFFF;
    p.target_from = 1001;
    p.about_number = 7;
    p.rotation = 0.25;
    p.shift_el = -3.5;
    p.scale_el = 1.0001;
    uint8_t block[calc::kTransformBlockSize];
    calc::encode_transform_block(p, block);
    uint32_t word;
    double value;
    std::memcpy(&word, block + 4, 4);
    EXPECT_EQ(word, 0xFFFFFFFFu);
    std::memcpy(&value, block + 32, 8);
    EXPECT_TRUE(calc::is_unset(value)) << "a new block's About point is unset";
    std::memcpy(&value, block + 88, 8);
    EXPECT_EQ(value, 1.0001);
    uint8_t again[calc::kTransformBlockSize];
    calc::encode_transform_block(calc::decode_transform_block(block), again);
    EXPECT_EQ(std::memcmp(block, again, sizeof block), 0);
}

TEST(Transform, ForwardTurnsScalesShiftsAndInverseUndoesIt)
{
    TransformParameters quarter;
    quarter.rotation = kPi / 2;
    quarter.about_n = 0;
    quarter.about_e = 0;
    const Xyz turned = calc::transform_forward(quarter, {0, 100, 7});
    EXPECT_NEAR(turned.e, 100, 1e-12);
    EXPECT_NEAR(turned.n, 0, 1e-12);
    EXPECT_EQ(turned.el, 7) << "El scale 1 and shift 0 leave elevations";

    // An unset About point is the origin.
    TransformParameters unset = quarter;
    unset.about_n = unset.about_e = calc::kUnset;
    EXPECT_NEAR(calc::transform_forward(unset, {0, 100, 0}).e, 100, 1e-12);

    std::mt19937 rng(2);
    std::uniform_real_distribution<double> angle(-kPi, 2 * kPi), scale(0.5, 2), shift(-1e4, 1e4), e(3e5, 7e5),
        n(4e6, 6e6);
    for (int i = 0; i < 1000; ++i) {
        TransformParameters p;
        p.rotation = angle(rng);
        p.about_n = n(rng);
        p.about_e = e(rng);
        p.scale_n = scale(rng);
        p.scale_e = scale(rng);
        p.scale_el = scale(rng);
        p.shift_n = shift(rng);
        p.shift_e = shift(rng);
        p.shift_el = shift(rng);
        const Xyz a {e(rng), n(rng), shift(rng)};
        const Xyz back = calc::transform_inverse(p, calc::transform_forward(p, a));
        ASSERT_NEAR(back.e, a.e, 1e-6) << i;
        ASSERT_NEAR(back.n, a.n, 1e-6) << i;
        ASSERT_NEAR(back.el, a.el, 1e-6) << i;
    }
    std::u16string why;
    TransformParameters flat;
    flat.scale_n = 0;
    EXPECT_FALSE(calc::transform_usable(flat, &why));
    EXPECT_FALSE(why.empty());
}

// Points held in a map instead of the coordinate file.
struct Points {
    std::map<uint32_t, std::pair<double, double>> at;  // number -> (N, E)
    calc::PointLookup lookup() const
    {
        return [this](uint32_t number) -> std::optional<formats::Position> {
            auto it = at.find(number);
            if (it == at.end())
                return std::nullopt;
            return formats::Position {it->second.second, it->second.first};
        };
    }
};

TEST(SimilarityFit, RecoversAKnownRotationAndScaleAtGridMagnitudes)
{
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> angle(-kPi / 2, 3 * kPi / 2), ppm(-500, 500), size(5, 2000);
    std::uniform_int_distribution<int> count(2, 12);
    for (int trial = 0; trial < 300; ++trial) {
        TransformParameters truth;
        truth.rotation = angle(rng);
        truth.scale_n = truth.scale_e = 1 + ppm(rng) * 1e-6;
        truth.about_n = truth.about_e = 0;
        truth.shift_e = 1000 * ppm(rng);
        truth.shift_n = 1000 * ppm(rng);
        const double spread = size(rng);
        std::uniform_real_distribution<double> near(-spread, spread);
        Points points;
        ControlPairs pairs;
        const int n = count(rng);
        for (int i = 0; i < n; ++i) {
            const Xyz source {355800 + near(rng), 4611000 + near(rng), 0};
            const Xyz target = calc::transform_forward(truth, source);
            points.at[uint32_t(i + 1)] = {source.n, source.e};
            points.at[uint32_t(i + 101)] = {target.n, target.e};
            ASSERT_TRUE(pairs.insert_after(i - 1, uint32_t(i + 1), uint32_t(i + 101)));
        }
        TransformParameters fitted;
        const calc::FitOutcome got = calc::fit_similarity(pairs, &fitted, points.lookup());
        ASSERT_TRUE(got.fitted) << trial;
        EXPECT_NEAR(fitted.rotation, truth.rotation, 1e-9) << trial;
        EXPECT_NEAR(fitted.scale_n / truth.scale_n, 1, 1e-9) << trial;
        EXPECT_LT(got.rms, 1e-6) << trial;
        // The fitted parameters carry every source onto its target.
        for (int i = 0; i < n; ++i) {
            const auto& [sn, se] = points.at[uint32_t(i + 1)];
            const Xyz mapped = calc::transform_forward(fitted, {se, sn, 0});
            EXPECT_NEAR(mapped.e, points.at[uint32_t(i + 101)].second, 1e-6) << trial;
        }
    }
}

TEST(SimilarityFit, ShiftsTurnsResidualsAndRefusals)
{
    Points points;
    points.at = {{1, {100, 200}}, {2, {150, 260}}, {3, {120, 230}}, {11, {110, 205}}, {12, {160, 265}},
        {13, {130.02, 234.99}}, {21, {0, 100}}, {22, {-100, 0}}, {31, {100, 200}}};
    TransformParameters p;
    p.source_from = 5;

    ControlPairs pairs;
    pairs.insert_after(-1, 1, 11);
    pairs.insert_after(0, 2, 12);
    calc::FitOutcome got = calc::fit_similarity(pairs, &p, points.lookup());
    ASSERT_TRUE(got.fitted);
    EXPECT_NEAR(p.rotation, 0, 1e-12);
    EXPECT_NEAR(p.scale_e, 1, 1e-12);
    EXPECT_NEAR(p.shift_n, 10, 1e-9);
    EXPECT_NEAR(p.shift_e, 5, 1e-9);
    EXPECT_NEAR(pairs.at(0).resid_n, 0, 1e-9);
    EXPECT_EQ(p.source_from, 5u) << "the point numbers are kept";

    // Points turned 90 degrees clockwise about the origin: N 100, E 0 -> N 0, E 100.
    Points turned;
    turned.at = {{1, {100, 0}}, {2, {0, 50}}, {11, {0, 100}}, {12, {-50, 0}}};
    ControlPairs quarter;
    quarter.insert_after(-1, 1, 11);
    quarter.insert_after(0, 2, 12);
    ASSERT_TRUE(calc::fit_similarity(quarter, &p, turned.lookup()).fitted);
    EXPECT_NEAR(p.rotation, kPi / 2, 1e-12);
    EXPECT_NEAR(p.scale_n, 1, 1e-12);

    // With noise: the squares of the residuals sum to n times the square of the returned value; a pair
    // with the same target as an earlier one shows its residuals.
    pairs.insert_after(1, 3, 13);
    pairs.insert_after(2, 31, 11);
    got = calc::fit_similarity(pairs, &p, points.lookup());
    ASSERT_TRUE(got.fitted);
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += pairs.at(i).resid_n * pairs.at(i).resid_n + pairs.at(i).resid_e * pairs.at(i).resid_e;
    sum += pairs.at(3).resid_n * pairs.at(3).resid_n + pairs.at(3).resid_e * pairs.at(3).resid_e;
    EXPECT_NEAR(sum, 4 * got.rms * got.rms, 1e-12);
    EXPECT_EQ(pairs.at(3).resid_e, pairs.at(0).resid_e);

    // Refusals leave the parameters as they were and no residual behind.
    const TransformParameters kept = p;
    auto refused = [&](ControlPairs& c, const char16_t* part) {
        const calc::FitOutcome o = calc::fit_similarity(c, &p, points.lookup());
        EXPECT_FALSE(o.fitted);
        EXPECT_NE(o.refusal.find(part), std::u16string::npos) << std::string(o.refusal.begin(), o.refusal.end());
        EXPECT_EQ(std::memcmp(&p, &kept, sizeof p), 0);
        for (int i = 0; i < calc::kControlPairSlots; ++i)
            EXPECT_TRUE(calc::is_unset(c.at(i).resid_n));
    };
    ControlPairs missing = pairs;
    missing.insert_after(0, 99, 11);
    refused(missing, u"99");
    ControlPairs one;
    one.insert_after(-1, 1, 11);
    refused(one, u"two control pairs");
    ControlPairs same;
    same.insert_after(-1, 1, 11);
    same.insert_after(0, 31, 12);
    refused(same, u"two control pairs");
    ControlPairs onto_one_spot;
    onto_one_spot.insert_after(-1, 1, 11);
    onto_one_spot.insert_after(0, 2, 11);
    refused(onto_one_spot, u"scale");
    ControlPairs none;
    EXPECT_TRUE(calc::fit_similarity(none, &p, points.lookup()).refusal.empty()) << "no pair: no message";
}

TEST(ControlPairTable, InsertsAfterTheSelectionAndRefusesAFullTable)
{
    ControlPairs pairs;
    for (uint32_t i = 1; i <= calc::kControlPairSlots; ++i)
        ASSERT_TRUE(pairs.insert_after(int(i) - 2, i, 100 + i));
    EXPECT_FALSE(pairs.insert_after(3, 77, 177)) << "the last pair is never lost";
    EXPECT_EQ(pairs.at(calc::kControlPairSlots - 1).source, 50u);
    pairs.remove(0);
    EXPECT_EQ(pairs.at(0).source, 2u);
    EXPECT_TRUE(pairs.insert_after(0, 77, 177));
    EXPECT_EQ(pairs.at(1).source, 77u);
    EXPECT_EQ(pairs.at(2).source, 3u);
}

class TransformApply : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        ASSERT_TRUE(store::coord_create(u"\\My Documents\\Transform.dat"));
        for (uint32_t n = 1; n <= 10; ++n) {
            store::PointRecord p;
            p.number = n;
            p.easting = 1000 + n;
            p.northing = 2000;
            std::strcpy(p.name, "CP");
            ASSERT_EQ(store::point_store(p, false), 1);
        }
        shift.shift_e = 500;
    }

    double easting_of(uint32_t number)
    {
        store::PointRecord p;
        return store::point_read_by_number(number, &p) == 1 ? p.easting : NAN;
    }

    TransformParameters shift;
};

TEST_F(TransformApply, StoresEachSourceOnceAndNeverOverwrites)
{
    shift.source_from = 1;
    shift.source_to = 10;
    shift.target_from = 1;
    calc::ApplyOutcome o = calc::apply_transform(shift, false);
    EXPECT_EQ(o.stored, 0);
    EXPECT_EQ(o.in_use, 10);
    EXPECT_EQ(easting_of(3), 1003) << "nothing overwritten";

    // Targets 5..14 overlap the sources: 11..14 come from sources 7..10, transformed once.
    shift.target_from = 5;
    o = calc::apply_transform(shift, false);
    EXPECT_EQ(o.stored, 4);
    EXPECT_EQ(o.in_use, 6);
    EXPECT_EQ(easting_of(11), 1507);
    EXPECT_EQ(easting_of(14), 1510);
    EXPECT_EQ(calc::describe(o), u"Stored 4 points, skipped 6 whose number is in use.");

    // The whole number range costs only the points that exist; the inverse brings them back.
    shift.source_from = 11;
    shift.source_to = 0xFFFFFFFF;
    shift.target_from = 1000;
    EXPECT_TRUE(calc::apply_transform(shift, false).refused) << "the target range would pass the last number";
    shift.source_to = 1000;
    o = calc::apply_transform(shift, true);
    EXPECT_EQ(o.found, 4);
    EXPECT_EQ(easting_of(1000), 1007);

    TransformParameters bad = shift;
    bad.target_from = 0;
    EXPECT_TRUE(calc::apply_transform(bad, false).refused);
    bad = shift;
    bad.scale_e = 0;
    EXPECT_TRUE(calc::apply_transform(bad, true).refused);
    bad.scale_e = NAN;
    EXPECT_TRUE(calc::apply_transform(bad, false).refused);
}

}  // namespace
