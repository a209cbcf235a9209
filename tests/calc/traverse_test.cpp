// The traverse computation without a screen. Two traverses worked by hand from the textbook definitions
// (a five-station loop with a closing angle, and a traverse from one control point to another), the three
// adjustment rules as properties, the faults that would store a wrong point, and the job file byte for
// byte.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "calc/job_file.h"
#include "calc/slot_table.h"
#include "calc/traverse_adjust.h"
#include "calc/traverse_compute.h"
#include "calc/traverse_job.h"
#include "calc/traverse_results.h"
#include "calc/traverse_save.h"
#include "formats/display_settings.h"
#include "formats/plane_geometry.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/calc/traverse_field_book.h"
#include "tests/support/temp_device.h"

namespace {

using namespace calc;
using testing_support::FieldBook;
using testing_support::lookup;
using testing_support::PointMap;

constexpr double kSecond = std::numbers::pi / 180 / 3600;

// Control: the start 1, its reference mark 100 due north, and two points 50, 51 to close on.
const PointMap kControl
    = {{1, {1000, 1000, 50}}, {100, {1000, 1100, 50}}, {50, {1420, 1350, 50}}, {51, {1500, 1600, 0}}};

// The loop 1-2-3-4-5-1 and its closing angle back to 100; angles in error by 10, -6, 12, 4, -8 and 7
// seconds, so the angles close by 19".
FieldBook loop()
{
    FieldBook b;
    b.at(1, 100).to(2, u"63.2616", 201.258);
    b.at(2, 1).to(3, u"135.5112", 211.888);
    b.at(3, 2).to(4, u"103.3707", 202.5);
    b.at(4, 3).to(5, u"98.3110", 226.722);
    b.at(5, 4).to(1, u"121.3848", 240.406);
    b.at(1, 5).to(100, u"16.5546", 0);
    return b;
}

// From 1 (sighting 100) to the control point 50, the closing angle to 51.
FieldBook link()
{
    FieldBook b;
    b.at(1, 100).to(2, u"63.2614", 201.256);
    b.at(2, 1).to(3, u"135.5113", 211.903);
    b.at(3, 2).to(50, u"231.1621", 180.269);
    b.at(50, 3).to(51, u"127.1111", 0);
    return b;
}

class TraverseTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        testing_support::DeviceTest::SetUp();
        formats::set_angle_mode(formats::kAngleDegrees);
    }

    TraverseComputation compute(FieldBook book, const PointMap& points = kControl)
    {
        m_job = book.job;
        return compute_traverse(&m_job, lookup(points));
    }

    static const TraverseObservation& to(const TraverseComputation& c, uint32_t number)
    {
        for (const TraverseObservation& o : c.observations) {
            if (o.to == number && o.computed)
                return o;
        }
        ADD_FAILURE() << "no computed observation to " << number;
        return c.observations.front();
    }

    static void expect_at(const TraverseComputation& c, uint32_t number, double e, double n, double el)
    {
        const TraverseObservation& o = to(c, number);
        EXPECT_NEAR(o.position.e, e, 0.001) << number;
        EXPECT_NEAR(o.position.n, n, 0.001) << number;
        EXPECT_NEAR(o.position.el, el, 0.001) << number;
    }

    static bool has_line(const TraverseComputation& c, const std::u16string& line)
    {
        for (const std::u16string& l : traverse_result_lines(c)) {
            if (l == line)
                return true;
        }
        return false;
    }

    TraverseJob m_job;
};

TEST_F(TraverseTest, LoopWorkedByHandReproducesItsMisclosuresPrecisionAndCompassCoordinates)
{
    TraverseComputation c = compute(loop());
    ASSERT_EQ(c.stop, u"");
    ASSERT_TRUE(c.closed);
    EXPECT_EQ(c.closure_on, ClosureOn::StartPoint);
    ASSERT_TRUE(c.closing_angle && c.angular_misclosure_known);
    EXPECT_NEAR(c.angular_misclosure / kSecond, 19.0, 0.01);
    EXPECT_NEAR(c.misclosure_e, -0.025213, 0.0005);
    EXPECT_NEAR(c.misclosure_n, 0.024495, 0.0005);
    EXPECT_NEAR(c.misclosure_el, 0.25, 0.0005);
    EXPECT_NEAR(c.total_length, 1082.774, 1e-9);
    EXPECT_TRUE(has_line(c, u"Relative Precision = 1 : 30802"));
    EXPECT_TRUE(has_line(c, u"  Angle = 0\u00BA 00' 19\""));
    EXPECT_TRUE(has_line(c, u"   N = 0.024"));
    // The closing-angle observation is not listed: its to point is the reference mark.
    for (const std::u16string& line : traverse_result_lines(c))
        EXPECT_NE(line.rfind(u"100 ", 0), 0u) << std::string(line.begin(), line.end());

    ASSERT_TRUE(adjust_traverse(&c, AdjustMethod::Compass).adjusted);
    expect_at(c, 2, 1180.0155, 1089.9959, 50.0035);
    expect_at(c, 3, 1250.0123, 1289.9855, 50.0046);
    expect_at(c, 4, 1080.0047, 1399.9961, 50.0079);
    expect_at(c, 5, 929.9966, 1229.9928, 50.0055);
    const TraverseObservation& closing = c.observations[size_t(c.closing_index)];
    EXPECT_NEAR(closing.position.e, 1000, 1e-9);
    EXPECT_NEAR(closing.position.n, 1000, 1e-9);
    const std::vector<std::u16string> lines = traverse_result_lines(c);
    EXPECT_EQ(std::vector<std::u16string>(lines.begin(), lines.begin() + 4),
        (std::vector<std::u16string> {u"", u"Adjusted Coordinates", u"", u"From Pt N, E, El:"}));
    EXPECT_FALSE(has_line(c, u"Misclosure:"));
    // Adjust applies once per computation.
    EXPECT_FALSE(adjust_traverse(&c, AdjustMethod::Transit).adjusted);
    expect_at(c, 2, 1180.0155, 1089.9959, 50.0035);
}

TEST_F(TraverseTest, TraverseBetweenTwoControlPointsClosesOnTheSecond)
{
    TraverseComputation c = compute(link());
    ASSERT_TRUE(c.closed);
    EXPECT_EQ(c.closure_on, ClosureOn::StoredPoint);
    EXPECT_NEAR(c.angular_misclosure / kSecond, 18.18, 0.01);
    EXPECT_NEAR(c.misclosure_e, 0.012855, 0.0005);
    EXPECT_NEAR(c.misclosure_n, -0.010111, 0.0005);
    EXPECT_NEAR(c.misclosure_el, 0.15, 0.0005);
    EXPECT_TRUE(has_line(c, u"Relative Precision = 1 : 36285"));
    ASSERT_TRUE(adjust_traverse(&c, AdjustMethod::Compass).adjusted);
    expect_at(c, 2, 1180.0111, 1089.9985, 49.9991);
    expect_at(c, 3, 1250.0079, 1290.0041, 49.9956);
    expect_at(c, 50, 1420, 1350, 50);
    // Neither control point is stored: the closing point's position came from the file, 51 is a mark.
    std::set<uint32_t> saved;
    for (const store::PointRecord& p : traverse_points_to_save(c))
        saved.insert(p.number);
    EXPECT_EQ(saved, (std::set<uint32_t> {2, 3}));
}

// Whatever the rule: the closure becomes zero, elevations close, and each rule's distribution holds.
TEST_F(TraverseTest, EachRuleClosesTheTraverseAndDistributesAsItsDefinitionSays)
{
    FieldBook b;  // the loop without its closing angle: the linear misclosure only
    b.at(1, 100).to(2, u"63.2616", 201.258);
    b.at(2, 1).to(3, u"135.5112", 211.888);
    b.at(3, 2).to(4, u"103.3707", 202.5);
    b.at(4, 3).to(5, u"98.3110", 226.722);
    b.at(5, 4).to(1, u"121.3848", 240.406);
    const TraverseComputation before = compute(b);
    ASSERT_TRUE(before.closed && !before.closing_angle);
    const double me = before.misclosure_e, mn = before.misclosure_n;
    const std::vector<uint32_t> stations = {2, 3, 4, 5, 1};

    for (AdjustMethod method : {AdjustMethod::Compass, AdjustMethod::Crandall, AdjustMethod::Transit}) {
        SCOPED_TRACE(int(method));
        TraverseComputation c = before;
        ASSERT_TRUE(adjust_traverse(&c, method).adjusted);
        const TraverseObservation& closing = c.observations[size_t(c.closing_index)];
        EXPECT_NEAR(closing.position.e, 1000, 1e-9);
        EXPECT_NEAR(closing.position.n, 1000, 1e-9);
        EXPECT_NEAR(closing.position.el, 50, 1e-9);
        // The corrections of the legs: (adjusted leg) - (computed leg), leg k from station k-1 to k.
        double running = 0, se = 0, sn = 0;
        for (size_t k = 1; k < stations.size(); ++k) {
            se += std::abs(to(before, stations[k]).position.e - to(before, stations[k - 1]).position.e);
            sn += std::abs(to(before, stations[k]).position.n - to(before, stations[k - 1]).position.n);
        }
        for (size_t k = 0; k < stations.size(); ++k) {
            const Point3 was = to(before, stations[k]).position;
            const Point3 now = stations[k] == 1 ? closing.position : to(c, stations[k]).position;
            running += to(before, stations[k]).horizontal;
            if (method == AdjustMethod::Compass) {
                EXPECT_NEAR(now.e - was.e, -me * running / before.total_length, 1e-9);
                EXPECT_NEAR(now.n - was.n, -mn * running / before.total_length, 1e-9);
                continue;
            }
            if (k == 0) {  // the first foresight point stays where it was
                EXPECT_EQ(now.e, was.e);
                EXPECT_EQ(now.n, was.n);
                continue;
            }
            const Point3 prev_was = to(before, stations[k - 1]).position;
            const Point3 prev_now = to(c, stations[k - 1]).position;
            const double de = was.e - prev_was.e, dn = was.n - prev_was.n;
            const double ce = (now.e - prev_now.e) - de, cn = (now.n - prev_now.n) - dn;
            if (method == AdjustMethod::Transit) {
                EXPECT_NEAR(ce, -me * std::abs(de) / se, 1e-9);
                EXPECT_NEAR(cn, -mn * std::abs(dn) / sn, 1e-9);
            } else {  // Crandall: the correction lies along the leg's own direction scaled by one linear form
                const double length = to(before, stations[k]).horizontal;
                EXPECT_NEAR(ce * dn - cn * de, 0, 1e-9);
                EXPECT_GT(length, 0);
            }
            // The leg's distance and azimuth are those of the adjusted coordinates.
            const TraverseObservation& leg = stations[k] == 1 ? closing : to(c, stations[k]);
            EXPECT_NEAR(leg.horizontal, std::hypot(now.e - prev_now.e, now.n - prev_now.n), 1e-9);
        }
    }
}

// Save points with "Overwrite points" never writes over the reference mark of the closing angle, over
// an angle check after the closure, over the start or over the closing point; a side shot after the
// closure is reduced, listed and stored; a side shot to the final point does not close the traverse.
TEST_F(TraverseTest, SavePointsStoresOnlyComputedPointsAndNeverTheControl)
{
    FieldBook b;
    b.at(1, 100).to(2, u"63.2616", 201.258);
    b.at(2, 1).to(3, u"135.5112", 211.888);
    b.at(3, 2).to(1, u"200", 80.0, true).to(4, u"103.3707", 202.5);  // a side shot to the final point
    b.at(4, 3).to(5, u"98.3110", 226.722);
    b.at(5, 4).to(1, u"121.3848", 240.406);
    b.at(1, 5).to(60, u"45", 30.0, true).to(3, u"200", 0).to(100, u"16.5546", 0);
    TraverseComputation c = compute(b);
    const TraverseComputation plain = compute(loop());
    ASSERT_TRUE(c.closed);
    EXPECT_NEAR(c.misclosure_e, plain.misclosure_e, 1e-9);
    EXPECT_NEAR(c.angular_misclosure, plain.angular_misclosure, 1e-12);
    EXPECT_TRUE(to(c, 60).computed);
    const TraverseObservation& check = c.observations[c.observations.size() - 2];
    EXPECT_TRUE(check.angle_check && !check.computed);

    ASSERT_TRUE(store::coord_create(u"\\My Documents\\Trav.dat"));
    for (const auto& [number, p] : kControl) {
        store::PointRecord r;
        r.number = number;
        r.easting = p.e;
        r.northing = p.n;
        r.elevation = p.el;
        ASSERT_EQ(store::point_store(r, false), 1);
    }
    store::PointRecord three;  // a point 3 from earlier work: the angle check must not touch it
    three.number = 3;
    three.easting = 7;
    ASSERT_EQ(store::point_store(three, false), 1);
    ASSERT_TRUE(adjust_traverse(&c, AdjustMethod::Compass).adjusted);
    EXPECT_EQ(save_traverse_points(c, true), 5);  // 2, 3 (overwritten), 4, 5 and the side shot 60
    store::PointRecord p;
    ASSERT_EQ(store::point_read_by_number(100, &p), 1);
    EXPECT_EQ(p.easting, 1000);
    EXPECT_EQ(p.northing, 1100);
    ASSERT_EQ(store::point_read_by_number(1, &p), 1);
    EXPECT_EQ(p.easting, 1000);
    ASSERT_EQ(store::point_read_by_number(3, &p), 1);
    EXPECT_NEAR(p.easting, to(c, 3).position.e, 1e-9);
    ASSERT_EQ(store::point_read_by_number(60, &p), 1);
    EXPECT_NEAR(p.easting, to(c, 60).position.e, 1e-9);
    EXPECT_STREQ(p.note, "stn");
    EXPECT_STREQ(p.code, "TRAV");
}

// A circle that reads on past 360 degrees at the closing setup: the misclosure is still the 19 seconds.
TEST_F(TraverseTest, AngularMisclosureIsReducedIntoHalfATurnEitherSide)
{
    FieldBook b = loop();
    b.job.records[11].hcr = u"376.5546";
    TraverseComputation c = compute(b);
    EXPECT_NEAR(c.angular_misclosure / kSecond, 19.0, 0.01);
    b.job.records[11].hcr = u"16.5526";  // 20 seconds less: -1 second
    c = compute(b);
    EXPECT_NEAR(c.angular_misclosure / kSecond, -1.0, 0.01);
    // The angular part spreads that second: the first foresight point moves by a fraction of a millimetre.
    const Point3 was = to(c, 2).position;
    ASSERT_TRUE(adjust_traverse(&c, AdjustMethod::Crandall).adjusted);
    expect_at(c, 2, was.e, was.n, to(c, 2).position.el);
}

// A side shot is hung again from its own setup's adjusted position, oriented to that setup's adjusted
// backsight: the angle turned and the distance stay what was observed.
TEST_F(TraverseTest, SideShotsFollowTheirOwnSetupThroughTheAdjustment)
{
    FieldBook b;
    b.at(1, 100).to(70, u"300", 25.0, true).to(2, u"63.2616", 201.258);
    b.at(2, 1).to(3, u"135.5112", 211.888);
    b.at(3, 2).to(71, u"40", 30.0, true).to(4, u"103.3707", 202.5);
    b.at(4, 3).to(5, u"98.3110", 226.722);
    b.at(5, 4).to(1, u"121.3848", 240.406);
    const TraverseComputation before = compute(b);
    for (AdjustMethod method : {AdjustMethod::Compass, AdjustMethod::Crandall, AdjustMethod::Transit}) {
        TraverseComputation c = before;
        ASSERT_TRUE(adjust_traverse(&c, method).adjusted);
        const Point3 p3 = to(c, 3).position, p2 = to(c, 2).position, p71 = to(c, 71).position;
        EXPECT_NEAR(std::hypot(p71.e - p3.e, p71.n - p3.n), to(before, 71).horizontal, 1e-9);
        const double turned = formats::azimuth(p3.e, p3.n, p71.e, p71.n) - formats::azimuth(p3.e, p3.n, p2.e, p2.n);
        EXPECT_NEAR(reduced_turn(turned) / kSecond, 40 * 3600, 1e-3);
        EXPECT_NEAR(p71.el, p3.el + to(before, 71).height_difference, 1e-9);
        // Before the first traverse observation a side shot stays as computed.
        EXPECT_EQ(to(c, 70).position.e, to(before, 70).position.e);
    }
}

// Reduction: at a zenith of 90 degrees the horizontal distance is (slope + correction) times every
// factor and the height difference HI - HS; the projection scale factor never scales a height.
TEST_F(TraverseTest, ReductionAppliesTheFactorsAsEachQuantityNeedsThem)
{
    FieldBook b;
    b.at(1, 100, u"0", 1.6).to(2, u"90", 100.0, false, u"90", 1.2).to(3, u"90", 100.0, false, u"60", 1.2);
    b.job.settings.distance_factor_text = u"1.001";
    b.job.settings.distance_correction_text = u"0.05";
    b.job.settings.projection_factor_text = u"0.9996";
    b.job.settings.units_factor_text = u"2";
    TraverseComputation c = compute(b);
    ASSERT_EQ(c.stop, u"");
    const double k = 2 * 0.9996 * 1.001;
    EXPECT_NEAR(to(c, 2).horizontal, 100.05 * k, 1e-9);
    EXPECT_NEAR(to(c, 2).height_difference, 1.6 - 1.2, 1e-9);
    EXPECT_NEAR(to(c, 3).height_difference, 100.05 * 0.5 * 2 * 1.001 + 0.4, 1e-9);
    EXPECT_NEAR(to(c, 2).position.e, 1000 + 100.05 * k, 1e-9);
    EXPECT_EQ(m_job.settings.units_factor, 2);  // the numbers refreshed from the texts
    EXPECT_FALSE(c.closed);                     // 3 is nowhere known: an open traverse, stored in full
    EXPECT_EQ(traverse_points_to_save(c).size(), 2u);
}

TEST_F(TraverseTest, ComputationStopsWithTheMessageAndKeepsWhatWasReduced)
{
    FieldBook first_observation;
    first_observation.to(2, u"10", 50.0).at(1, 100).to(3, u"20", 50.0);
    TraverseComputation c = compute(first_observation);
    EXPECT_EQ(c.stop, u"No reference azimuth defined.");
    EXPECT_TRUE(traverse_points_to_save(c).empty());

    FieldBook no_reference = loop();
    no_reference.job.records[4].reference_kind = kReferenceNone;  // the setup on 3
    c = compute(no_reference);
    EXPECT_EQ(c.stop, u"No reference azimuth defined.");
    EXPECT_EQ(traverse_points_to_save(c).size(), 2u);  // 2 and 3, reduced before it

    c = compute(loop(), {{100, {1000, 1100, 0}}});
    EXPECT_EQ(c.stop, u"Start pt. not in file.");
    c = compute(loop(), {{1, {1000, 1000, 0}}});
    EXPECT_EQ(c.stop, u"Ref. az. pt. not in file.");
    FieldBook bad_angle = loop();
    bad_angle.job.records[3].hcr = u"12a";
    c = compute(bad_angle);
    EXPECT_EQ(c.stop, u"The HCR of line 4 does not read.");
    EXPECT_EQ(c.observations.size(), 1u);
}

// Closing on a point the traverse computed earlier: that point holds, each rule corrects the legs after it.
TEST_F(TraverseTest, ClosureOnAComputedPointHoldsThatPoint)
{
    FieldBook b;
    b.at(1, 100).to(2, u"63.2616", 201.258);
    b.at(2, 1).to(3, u"90", 150.0);
    b.at(3, 2).to(4, u"90", 150.02);
    b.at(4, 3).to(6, u"90", 149.99);
    b.at(6, 4).to(2, u"90.0010", 150.01);
    const TraverseComputation before = compute(b);
    ASSERT_TRUE(before.closed);
    EXPECT_EQ(before.closure_on, ClosureOn::ComputedPoint);
    EXPECT_NEAR(before.total_length, 201.258 + 150 + 150.02 + 149.99 + 150.01, 1e-9);
    for (AdjustMethod method : {AdjustMethod::Compass, AdjustMethod::Crandall, AdjustMethod::Transit}) {
        TraverseComputation c = before;
        ASSERT_TRUE(adjust_traverse(&c, method).adjusted) << int(method);
        EXPECT_EQ(to(c, 2).position.e, to(before, 2).position.e);
        const TraverseObservation& closing = c.observations[size_t(c.closing_index)];
        EXPECT_NEAR(closing.position.e, to(before, 2).position.e, 1e-9);
        EXPECT_NEAR(closing.position.n, to(before, 2).position.n, 1e-9);
        if (method != AdjustMethod::Compass)
            EXPECT_EQ(to(c, 3).position.e, to(before, 3).position.e);
    }
    // Only 2, 3, 4 and 6 are stored, once each: the closing observation's 2 is the held point.
    EXPECT_EQ(traverse_points_to_save(before).size(), 4u);
}

TEST_F(TraverseTest, AZeroDivisorRefusesTheRuleAndLeavesTheComputation)
{
    // Legs all along the north-south line, closing 0.02 east of the control point 52.
    FieldBook b;
    b.at(1, 100).to(2, u"0", 100.0);
    b.at(2, 1).to(3, u"180", 100.0);
    b.at(3, 2).to(52, u"180", 100.0);
    const PointMap points = {{1, {1000, 1000, 0}}, {100, {1000, 1100, 0}}, {52, {999.98, 1300, 0}}};
    TraverseComputation c = compute(b, points);
    ASSERT_TRUE(c.closed);
    EXPECT_NEAR(c.misclosure_e, 0.02, 1e-9);
    const AdjustOutcome crandall = adjust_traverse(&c, AdjustMethod::Crandall);
    EXPECT_FALSE(crandall.adjusted);
    EXPECT_EQ(crandall.refusal, u"The legs are all parallel: the Crandall rule cannot be used.");
    EXPECT_FALSE(adjust_traverse(&c, AdjustMethod::Transit).adjusted);
    EXPECT_FALSE(c.adjusted);
    ASSERT_TRUE(adjust_traverse(&c, AdjustMethod::Compass).adjusted);
    expect_at(c, 3, 999.98 + 0.02 / 3, 1200, 0);

    // No length at all (a zenith of 0): nothing to spread a misclosure over.
    FieldBook vertical;
    vertical.at(1, 100).to(52, u"0", 100.0, false, u"0");
    c = compute(vertical, points);
    ASSERT_TRUE(c.closed);
    EXPECT_EQ(adjust_traverse(&c, AdjustMethod::Compass).refusal,
        u"The traverse has no length to spread the misclosure over.");
    // Misclosure zero on both axes: no relative precision line.
    FieldBook exact;
    exact.at(1, 100).to(2, u"0", 100.0).at(2, 0, u"0", 1.55, u"0").to(53, u"0", 100.0);
    c = compute(exact, {{1, {0, 0, 0}}, {100, {0, 10, 0}}, {53, {0, 200, 0}}});
    ASSERT_TRUE(c.closed);
    EXPECT_EQ(c.misclosure_e, 0);
    EXPECT_EQ(c.misclosure_n, 0);
    EXPECT_TRUE(has_line(c, u"Misclosure:"));
    for (const std::u16string& line : traverse_result_lines(c))
        EXPECT_EQ(line.find(u"Relative Precision"), std::u16string::npos);
}

TEST_F(TraverseTest, JobFileRoundTripsByteForByte)
{
    formats::set_angle_mode(formats::kAngleGons);
    FieldBook b = loop();
    b.job.records[0].reference_kind = kReferenceAzimuth;
    b.job.records[0].reference_azimuth = u"N12.3015E";
    b.job.records[3].side_shot = 1;
    b.job.records[3].note = u"a note of nineteen.";
    b.job.settings.surveyor = u"J. Smith";
    b.job.settings.date = u"2026-12-08";
    b.job.settings.vc_correction_text = u"0.0012";
    b.job.records[20] = b.job.records[1];  // free slots between are written as free
    const std::u16string path = u"\\My Documents\\Loop.job", again = u"\\My Documents\\Again.job";
    ASSERT_TRUE(create_empty_job_file(path));
    ASSERT_EQ(write_job(kTraverseJob, path, traverse_image(b.job)), JobWrite::Written);
    JobImage image;
    ASSERT_EQ(read_job(kTraverseJob, path, &image), JobRead::Read);
    EXPECT_EQ(image.slots.size(), 21u);
    const TraverseJob read = traverse_from_image(image);
    EXPECT_EQ(read.records[0].reference_azimuth, u"N12.3015E");
    EXPECT_EQ(read.records[11].hcr, u"16.5546");
    EXPECT_EQ(read.records[3].note, u"a note of nineteen.");
    EXPECT_EQ(read.settings.date, u"2026-12-08");
    ASSERT_TRUE(create_empty_job_file(again));
    ASSERT_EQ(write_job(kTraverseJob, again, traverse_image(read)), JobWrite::Written);
    EXPECT_EQ(read_bytes(path), read_bytes(again));
    EXPECT_EQ(read_bytes(path).size(), 48u + 432 + 4 + 21 * 240);

    // A job whose only record is a setup saves a count of 1; an empty one too.
    TraverseJob one;
    one.records[0] = b.job.records[0];
    EXPECT_EQ(traverse_image(one).slots.size(), 1u);
    EXPECT_EQ(traverse_image(TraverseJob {}).slots.size(), 1u);
    // A full table refuses an insert and keeps its last record.
    TraverseJob full;
    full.records.fill(b.job.records[1]);
    EXPECT_FALSE(slot_insert(full.records, 0, b.job.records[0]));
    EXPECT_EQ(full.records[0].kind, kRecordObservation);
}

}  // namespace
