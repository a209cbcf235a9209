// The exchange computation without a screen: lines that must never become points and lines that must never
// be lost, the export form, headings, the configuration file, the runs with every policy, round trips of
// random points at every decimals setting, the real point files, and a power loss in the middle of an
// import.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "calc/job_file.h"
#include "exchange/ascii_lines.h"
#include "exchange/exchange_config.h"
#include "exchange/export_run.h"
#include "exchange/import_run.h"
#include "exchange/point_lines.h"
#include "exchange/preview.h"
#include "exchange/progress_steps.h"
#include "formats/number_format.h"
#include "formats/number_parse.h"
#include "tests/exchange/exchange_fixture.h"

namespace {

using namespace exchange;
using namespace exchange_testing;
namespace pf = platform::files;

const Layout kStandard = ExchangeConfig {}.kinds;
const Layout kPenzd
    = {kFieldNumber, kFieldEasting, kFieldNorthing, kFieldElevation, kFieldCode, kFieldNone, kFieldNone};

ImportOutcome import_all(const ExchangeConfig& config, ReplaceQuestions questions = {})
{
    ImportRun run(config, std::move(questions));
    if (!run.open())
        return run.outcome();
    while (!run.finished())
        run.advance(100);
    return run.outcome();
}

ExportOutcome export_all(const ExchangeConfig& config)
{
    ExportRun run(config);
    if (!run.open())
        return run.outcome();
    while (!run.finished())
        run.advance(100);
    return run.outcome();
}

ExchangeConfig config_for(const std::u16string& path, Layout layout = kStandard, int policy = kAlwaysReplace)
{
    ExchangeConfig c;
    c.path = path;
    c.kinds = layout;
    c.policy = policy;
    return c;
}

// A line that is no sound point never becomes one: numbers, coordinates and field counts.
TEST(PointLines, ABadLineIsNeverAPoint)
{
    for (const char* line : {
             "1;355116,087;4611013,921;690,153;EXI",  // another delimiter: no easting field
             "1,,,,",                                 // empty N and E
             "1,\"P\",,2000,100",                     // empty N
             "1,\"P\",1000,,100",                     // empty E
             "1,\"P\",1000,2000,abc",                 // El that does not parse
             "1,\"P\",1000 5,2000,100",               // a space inside N
             "1.1,\"P\",1000,2000,100",               // a number that is not whole
             "-5,\"P\",1000,2000,100",                // a negative number
             "+5,\"P\",1000,2000,100",                // a sign
             "0,\"P\",1000,2000,100",                 // point 0
             "4294967296,\"P\",1000,2000,100",        // past the highest number
             "99999999999,\"P\",1000,2000,100",       // far past it
             ",\"P\",1000,2000,100",                  // no number
             "1,\"P\",1000",                          // no easting field
             "Number,Name,Northing,Easting",          // a heading
             "1,\"P\",1e999,2000,100",                // a northing beyond any double
             "",
         }) {
        EXPECT_FALSE(parse_point_line(line, kStandard)) << line;
    }
}

// A sound line is a point with exactly its values: blanks around numbers, a missing or empty El, quoted
// commas and doubled quotes, fields past the seventh, texts cut to the record.
TEST(PointLines, AGoodLineIsAPointWithItsValues)
{
    auto p = parse_point_line(
        "4294967295, \"a,b\"\"c\" ,1000.5, 2000.25 ,,\"note, long enough to be cut\",CODE-1234567890,x,y", kStandard);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->number, 4294967295u);
    EXPECT_EQ(std::string(p->name), "a,b\"c");
    EXPECT_EQ(p->northing, 1000.5);
    EXPECT_EQ(p->easting, 2000.25);
    EXPECT_EQ(p->elevation, 0.0);
    EXPECT_EQ(std::string(p->note), "note, long enough");  // 17 characters
    EXPECT_EQ(std::string(p->code), "CODE-12345678");      // 13 characters

    auto q = parse_point_line("3,355761.305,4611083.365,691.055", kPenzd);  // no code field
    ASSERT_TRUE(q);
    EXPECT_EQ(q->easting, 355761.305);
    EXPECT_EQ(q->northing, 4611083.365);
    EXPECT_EQ(q->elevation, 691.055);
    EXPECT_EQ(std::string(q->code), "");

    // Trailing blanks go, then one trailing quote of an unquoted text; kind " " positions are skipped.
    auto r = parse_point_line("7,x,5,6,1,TX 2 SAN \"  ",
        {kFieldNumber, kFieldNone, kFieldNorthing, kFieldEasting, kFieldElevation, kFieldCode, kFieldNone});
    ASSERT_TRUE(r);
    EXPECT_EQ(std::string(r->code), "TX 2 SAN ");
    EXPECT_EQ(std::string(r->name), "");
}

TEST(PointLines, ExportLinesHeadingsAndFixedDecimals)
{
    const Layout nne
        = {kFieldNumber, kFieldNorthing, kFieldEasting, kFieldElevation, kFieldNone, kFieldNone, kFieldNone};
    EXPECT_EQ(export_line(make_point(1, 2000, 1000, 100), nne, 3), "1,1000.000,2000.000,100.000\r\n");
    EXPECT_EQ(export_line(make_point(2, 1, 1, -0.0004), nne, 3), "2,1.000,1.000,-0.000\r\n");
    // Kind " " before a field gives an empty field, so that the fields keep their positions; trailing ones
    // give nothing. Texts are quoted with their quotes doubled. Both read back as they were written.
    const Layout spaced = {kFieldNone, kFieldName, kFieldNone, kFieldNumber, kFieldCode, kFieldNone, kFieldNone};
    const store::PointRecord named = make_point(9, 0, 0, 0, "a,\"b\"", "C");
    EXPECT_EQ(export_line(named, spaced, 2), ",\"a,\"\"b\"\"\",,9,\"C\"\r\n");
    EXPECT_EQ(heading_line(spaced), ",Name,,Number,Code\r\n");
    EXPECT_EQ(read_heading(",Name,,Number,Code"), spaced);
    EXPECT_EQ(heading_line(kStandard), "Number,Name,Northing,Easting,Elevation,Note,Code\r\n");
    // Ten decimals and values beyond 32 bits are written in full, never wrapped.
    EXPECT_EQ(formats::format_fixed_decimals(4294967296.5, 10), "4294967296.5000000000");
    EXPECT_EQ(formats::format_fixed_decimals(0.0123456789, 10), "0.0123456789");
    EXPECT_EQ(formats::format_fixed_decimals(-1e20, 3), "-100000000000000000000.000");
    // A point whose coordinate is no finite number gives no line.
    EXPECT_FALSE(export_line(make_point(3, NAN, 0, 0), nne, 3));
}

TEST(PointLines, HeadingsNameTheLayoutExactly)
{
    EXPECT_EQ(read_heading("Number,Name,Northing,Easting"),
        (Layout {kFieldNumber, kFieldName, kFieldNorthing, kFieldEasting, kFieldNone, kFieldNone, kFieldNone}));
    EXPECT_EQ(read_heading("\"Code\",id,Elevation"),
        (Layout {kFieldCode, kFieldNone, kFieldElevation, kFieldNone, kFieldNone, kFieldNone, kFieldNone}));
    EXPECT_FALSE(read_heading("number,name,northing"));  // letter case counts
    EXPECT_FALSE(read_heading("id,x,y,z,comm,att1,att2"));
}

TEST(ProgressSteps, NeverZeroAndNeverWrapped)
{
    EXPECT_EQ(import_step(0), 1);
    EXPECT_EQ(import_step(5), 1);
    EXPECT_EQ(import_step(2001), 100);
    EXPECT_EQ(export_step(10, 5, 1000), 1);  // To below From
    EXPECT_EQ(export_step(1, 999999, 100), 5);
    EXPECT_EQ(export_step(0, 4294967295u, 1000000), 50000);
    ProgressSteps steps(3);
    EXPECT_EQ(steps.add(2), 0);
    EXPECT_EQ(steps.add(7), 3);
}

TEST(ExchangeConfig, TheJobBodyHoldsEveryFieldAndRefusesNothingItReads)
{
    ExchangeConfig c;
    c.kinds = {kFieldCode, kFieldNone, kFieldNumber, kFieldEasting, kFieldNorthing, kFieldNote, kFieldName};
    c.from = 7;
    c.to = 4294967295u;
    c.decimals = 10;
    c.policy = kRenumber;
    c.heading = true;
    c.append = true;
    c.path = std::u16string(kPathChars, u'x');
    ASSERT_TRUE(path_fits(c));
    const calc::JobImage image = exchange_image(c);
    ASSERT_EQ(image.settings.size(), kExchangeConfigSize);
    EXPECT_EQ(exchange_from_image(image), c);
    c.path += u'y';
    EXPECT_FALSE(path_fits(c));

    calc::JobImage odd = image;
    odd.settings[0] = 99;   // a kind out of range
    odd.settings[36] = 12;  // decimals
    odd.settings[40] = 9;   // policy
    const ExchangeConfig read = exchange_from_image(odd);
    EXPECT_EQ(read.kinds[0], kFieldNone);
    EXPECT_EQ(read.decimals, 10);
    EXPECT_EQ(read.policy, kAlwaysReplace);
}

class ExchangeRunTest : public ExchangeTest { };

// Carriage returns, bytes above 127 (a byte order mark), a last line without a line feed, an empty line and
// an over-long line: the good lines land, the bad ones are counted with their numbers.
TEST_F(ExchangeRunTest, LinesAreReadWhateverTheirEndings)
{
    std::string bytes = "\xEF\xBB\xBF"
                        "1,\"A\",10,20,30\r\n\r\n2,\"B\xE9\",11,21,31\r\n";
    bytes += "3,\"C\"," + std::string(5000, '1') + ",22,32\n";
    bytes += "4,,,,\n5,\"E\",13,23,33";
    write_device_file(kAscii, bytes);
    EXPECT_EQ(count_lines(kAscii), 6);
    const ImportOutcome o = import_all(config_for(kAscii));
    EXPECT_EQ(o.lines, 6);
    EXPECT_EQ(o.imported, 3);
    EXPECT_EQ(o.bad, 2);
    EXPECT_EQ(o.bad_lines, (std::vector<int64_t> {4, 5}));
    const Points live = live_points();
    ASSERT_EQ(live.size(), 3u);
    EXPECT_TRUE(same_point(live.at(1), make_point(1, 20, 10, 30, "A")));
    EXPECT_TRUE(same_point(live.at(2), make_point(2, 21, 11, 31, "B")));
    EXPECT_TRUE(same_point(live.at(5), make_point(5, 23, 13, 33, "E")));
    EXPECT_EQ(describe(o), u"Imported: 3\nReplaced: 0\nLines skipped: 2 (line 4, 5)");
}

// The four policies, with the answers a user gives: nothing stored under a number that was not agreed to.
TEST_F(ExchangeRunTest, ThePoliciesAndTheirAnswers)
{
    const Points before = {{1, make_point(1, 1, 1, 1, "OLD1")}, {2, make_point(2, 2, 2, 2, "OLD2")},
        {50, make_point(50, 5, 5, 5, "OLD50")}};
    write_device_file(kAscii, "1,\"NEW1\",10,10,10\n2,\"NEW2\",20,20,20\n3,\"NEW3\",30,30,30\n");
    auto fresh = [&] {
        store::coord_close();
        pf::remove(kCoords);
        ASSERT_TRUE(store::coord_create(kCoords));
        store_points(before);
    };

    fresh();
    ImportOutcome o = import_all(config_for(kAscii, kStandard, kAlwaysReplace));
    EXPECT_EQ(std::make_tuple(o.imported, o.replaced, o.kept), std::make_tuple(1, 2, 0));
    EXPECT_EQ(std::string(live_points().at(2).name), "NEW2");

    fresh();
    o = import_all(config_for(kAscii, kStandard, kNeverReplace));
    EXPECT_EQ(std::make_tuple(o.imported, o.replaced, o.kept), std::make_tuple(1, 0, 2));
    Points live = live_points();
    EXPECT_TRUE(same_point(live.at(1), before.at(1)));
    EXPECT_TRUE(same_point(live.at(2), before.at(2)));

    fresh();
    std::vector<uint32_t> asked;
    o = import_all(config_for(kAscii, kStandard, kAskBeforeReplace), {.overwrite = [&](uint32_t n) {
        asked.push_back(n);
        return n == 2;
    }});
    EXPECT_EQ(asked, (std::vector<uint32_t> {1, 2}));
    live = live_points();
    EXPECT_TRUE(same_point(live.at(1), before.at(1)));
    EXPECT_EQ(std::string(live.at(2).name), "NEW2");

    // Renumber: 1 to a free 60; 2 to 0 (skipped, never point 0); and with a second run 1 to the used 50,
    // which asks to overwrite 50.
    fresh();
    std::vector<uint32_t> overwrites;
    o = import_all(config_for(kAscii, kStandard, kRenumber),
        {.overwrite =
                [&](uint32_t n) {
                    overwrites.push_back(n);
                    return true;
                },
            .renumber = [&](uint32_t n) -> std::optional<uint32_t> { return n == 1 ? 60u : 0u; }});
    EXPECT_EQ(std::make_tuple(o.imported, o.replaced, o.kept), std::make_tuple(2, 0, 1));
    live = live_points();
    EXPECT_EQ(live.count(0), 0u);
    EXPECT_EQ(std::string(live.at(60).name), "NEW1");
    EXPECT_TRUE(same_point(live.at(1), before.at(1)));
    EXPECT_TRUE(same_point(live.at(2), before.at(2)));
    EXPECT_TRUE(overwrites.empty());
    o = import_all(config_for(kAscii, kStandard, kRenumber),
        {.overwrite =
                [&](uint32_t n) {
                    overwrites.push_back(n);
                    return true;
                },
            .renumber = [&](uint32_t n) -> std::optional<uint32_t> {
                if (n == 1)
                    return 50u;
                return std::nullopt;
            }});
    EXPECT_EQ(overwrites, (std::vector<uint32_t> {50}));
    EXPECT_EQ(std::string(live_points().at(50).name), "NEW1");
}

// Export then import into a new coordinate file gives back every point field for field, coordinates equal
// to their rounding at the decimals chosen, for random points at every decimals setting.
TEST_F(ExchangeRunTest, ExportThenImportGivesEveryPointBack)
{
    std::mt19937 rng(17);
    for (int decimals = 0; decimals <= kMaxDecimals; ++decimals) {
        SCOPED_TRACE(testing::Message() << "decimals " << decimals);
        store::coord_close();
        pf::remove(kCoords);
        ASSERT_TRUE(store::coord_create(kCoords));
        Points points;
        std::uniform_real_distribution<double> coordinate(-5e6, 5e6);
        const double extremes[] = {0.0, -0.0, 1e-12, -0.0004, 4294967296.75, -1e15, 1.7e300, 123.456789012345};
        for (int i = 0; i < 60; ++i) {
            const uint32_t number = i == 0 ? 4294967295u : std::uniform_int_distribution<uint32_t>(1, 4000000000u)(rng);
            double v[3];
            for (double& x : v)
                x = std::uniform_int_distribution<int>(0, 4)(rng) == 0
                    ? extremes[std::uniform_int_distribution<size_t>(0, std::size(extremes) - 1)(rng)]
                    : coordinate(rng);
            points[number] = make_point(number, v[0], v[1], v[2], random_text(rng, 15).c_str(),
                random_text(rng, 13).c_str(), random_text(rng, 17).c_str());
        }
        store_points(points);
        ExchangeConfig out = config_for(kAscii);
        out.from = 0;
        out.to = 4294967295u;
        out.decimals = decimals;
        out.heading = decimals % 2 == 1;
        std::shuffle(out.kinds.begin(), out.kinds.end(), rng);
        // Now and then the note is left out, wherever it stands.
        const bool no_note = decimals % 3 == 0;
        if (no_note)
            *std::find(out.kinds.begin(), out.kinds.end(), int(kFieldNote)) = kFieldNone;
        const ExportOutcome written = export_all(out);
        ASSERT_TRUE(written.opened);
        EXPECT_EQ(written.written, int64_t(points.size()));

        store::coord_close();
        pf::remove(kCoords);
        ASSERT_TRUE(store::coord_create(kCoords));
        const ImportOutcome read = import_all(out);
        EXPECT_EQ(read.imported, int64_t(points.size()));
        EXPECT_EQ(read.bad, 0);
        const Points back = live_points();
        ASSERT_EQ(back.size(), points.size());
        auto rounded = [&](double x) {
            double r = 0;
            EXPECT_TRUE(formats::parse_number_ansi(formats::format_fixed_decimals(x, decimals), &r));
            // Within half a unit of the last decimal; far beyond 2^53 the parser's sum of many digits adds a
            // few units of the last bit.
            EXPECT_LE(std::fabs(r - x), 0.5000001 * std::pow(10.0, -decimals) + 1e-13 * std::fabs(x));
            return r;
        };
        for (const auto& [number, p] : points) {
            store::PointRecord expected = p;
            expected.easting = rounded(p.easting);
            expected.northing = rounded(p.northing);
            expected.elevation = rounded(p.elevation);
            if (no_note)
                std::memset(expected.note, 0, sizeof expected.note);
            EXPECT_TRUE(same_point(back.at(number), expected))
                << describe_point(back.at(number)) << "\nexpected " << describe_point(expected);
        }
    }
}

// The export range goes in number order, From above To writes nothing, Append adds at the end, and a file
// that does not open is reported.
TEST_F(ExchangeRunTest, TheExportRangeAppendAndFilesThatDoNotOpen)
{
    store_points({{30, make_point(30, 3, 3, 3)}, {1, make_point(1, 1, 1, 1)}, {7, make_point(7, 7, 7, 7)},
        {4294967295u, make_point(4294967295u, 9, 9, 9)}});
    const Layout n_only = {kFieldNumber, kFieldNone, kFieldNone, kFieldNone, kFieldNone, kFieldNone, kFieldNone};
    ExchangeConfig c = config_for(kAscii, n_only);
    c.from = 2;
    c.to = 30;
    EXPECT_EQ(export_all(c).written, 2);
    EXPECT_EQ(read_bytes(kAscii), "7\r\n30\r\n");
    c.append = true;
    c.from = 31;
    c.to = 4294967295u;
    EXPECT_EQ(export_all(c).written, 1);
    EXPECT_EQ(read_bytes(kAscii), "7\r\n30\r\n4294967295\r\n");
    c.append = false;
    c.heading = true;
    c.from = 40;
    c.to = 5;
    EXPECT_EQ(export_all(c).written, 0);
    EXPECT_EQ(read_bytes(kAscii), "Number\r\n");

    EXPECT_FALSE(export_all(config_for(u"\\No Such Folder\\x.txt")).opened);
    EXPECT_FALSE(import_all(config_for(u"\\My Documents\\missing.txt")).opened);
    EXPECT_EQ(live_points().size(), 4u);
}

// Preview takes a heading's layout and shows the first point; a file that matches nothing says so.
TEST_F(ExchangeRunTest, PreviewReadsAHeadingThenAPoint)
{
    write_device_file(kAscii, "Number,Name,Northing,Easting\r\n12,\"Gate\",100.5,200.25\r\n");
    Preview p = preview_file(kAscii, kPenzd);
    ASSERT_EQ(p.result, PreviewResult::Point);
    EXPECT_EQ(p.heading,
        (Layout {kFieldNumber, kFieldName, kFieldNorthing, kFieldEasting, kFieldNone, kFieldNone, kFieldNone}));
    EXPECT_EQ(preview_text(p.point), u"Pt: 12\nName: Gate\nN: 100.500\nE: 200.250\nEl: 0.000\nCode: \nRemark: ");
    write_device_file(kAscii, "id,x,y\nfoo\n1,2,3\n");
    EXPECT_EQ(preview_file(kAscii, kPenzd).result, PreviewResult::NoMatch);
    EXPECT_EQ(preview_file(u"\\nothing.txt", kPenzd).result, PreviewResult::NoFile);
}

// A cancelled import keeps the points it stored, each whole, and stores nothing after.
TEST_F(ExchangeRunTest, ACancelledImportKeepsWholePointsOnly)
{
    std::string bytes;
    for (int i = 1; i <= 250; ++i)
        bytes += std::to_string(i) + ",\"P\"," + std::to_string(i) + ".5,2,3\n";
    write_device_file(kAscii, bytes);
    {
        ImportRun run(config_for(kAscii), {});
        ASSERT_TRUE(run.open());
        EXPECT_EQ(run.total_lines(), 250);
        EXPECT_EQ(run.advance(100), 100);
        run.finish();
        EXPECT_TRUE(run.outcome().cancelled);
        EXPECT_EQ(run.advance(100), 0);
    }
    store::coord_close();
    ASSERT_EQ(store::coord_open_with_indexes(kCoords), 1);
    const Points live = live_points();
    ASSERT_EQ(live.size(), 100u);
    for (const auto& [number, p] : live)
        EXPECT_TRUE(same_point(p, make_point(number, 2, number + 0.5, 3, "P")));
}

// A power loss at any write of an import that adds and replaces points: after reopening, every point is
// the old one or a whole point of the file, never a mix and never a point of a bad line.
TEST_F(ExchangeRunTest, APowerLossInAnImportLeavesOnlyWholePoints)
{
    Points before;
    for (uint32_t n = 1; n <= 40; ++n)
        before[n] = make_point(n, n, n, n, "OLD");
    store_points(before);
    store::coord_close();
    std::string bytes;
    Points file;
    for (uint32_t n = 20; n <= 90; ++n) {
        file[n] = make_point(n, n + 0.25, n + 0.5, n + 0.75, "NEW", "C");
        bytes += std::to_string(n) + ",\"NEW\"," + std::to_string(n + 0.5) + "," + std::to_string(n + 0.25) + ","
            + std::to_string(n + 0.75) + ",,C\n";
        if (n % 10 == 0)
            bytes += std::to_string(n + 1000) + ",\"BAD\",,1,1\n";
    }
    write_device_file(kAscii, bytes);
    const std::string base[3] = {read_bytes(kCoords), read_bytes(u"\\My Documents\\Lot7.PPC_.PtNDX"),
        read_bytes(u"\\My Documents\\Lot7.PPC_.NamNDX")};
    auto restore = [&] {
        write_bytes(kCoords, base[0]);
        write_bytes(u"\\My Documents\\Lot7.PPC_.PtNDX", base[1]);
        write_bytes(u"\\My Documents\\Lot7.PPC_.NamNDX", base[2]);
        pf::remove(u"\\My Documents\\Lot7.PPC_.Redo");
    };
    auto session = [&] {
        if (store::coord_open_with_indexes(kCoords) != 1)
            return;
        import_all(config_for(kAscii));
        store::coord_close();
    };
    restore();
    pf::arm_power_loss({1 << 30, 0, true});
    session();
    const int writes = pf::power_loss_writes();
    pf::clear_power_loss();
    ASSERT_GT(writes, 0);
    for (int at = 1; at <= writes; ++at) {
        for (uint32_t seed : {0u, 3u}) {
            SCOPED_TRACE(testing::Message() << "power lost at write " << at << " of " << writes << ", seed " << seed);
            restore();
            pf::arm_power_loss({at, seed, seed != 0});
            session();
            store::coord_reset_for_tests();
            pf::clear_power_loss();
            ASSERT_EQ(store::coord_open_with_indexes(kCoords), 1);
            for (const auto& [number, p] : live_points()) {
                const bool old_point = before.count(number) && same_point(p, before.at(number));
                const bool new_point = file.count(number) && same_point(p, file.at(number));
                EXPECT_TRUE(old_point || new_point) << describe_point(p);
            }
            for (const auto& [number, p] : before)
                EXPECT_TRUE(live_points().count(number)) << "point " << number << " is lost";
            store::coord_close();
            if (HasFailure())
                return;
        }
    }
}

// The real point files (point, easting, northing, elevation, code): every good line lands with its exact
// values, every bad line is skipped and counted, the duplicate number follows the policy.
TEST_F(ExchangeRunTest, TheRealPointFilesImport)
{
    const std::string folder = shared_points_folder();
    if (folder.empty())
        GTEST_SKIP() << "the shared data folder is absent";
    struct Expected {
        const char* name;
        int64_t points;
        int64_t bad;
        std::vector<int64_t> bad_lines;
    };
    for (const Expected& e : {Expected {"spc-topografico-completo-penzd.txt", 956, 0, {}},
             Expected {"spc-topografico-correcto-penzd.txt", 44, 0, {}},
             Expected {"spc-topografico-errores-parser-penzd.txt", 34, 1, {1}},
             Expected {"lsci-data-penzd-header-attrs.csv", 35, 1, {1}}}) {
        SCOPED_TRACE(e.name);
        std::ifstream in(folder + "/" + e.name, std::ios::binary);
        std::stringstream whole;
        whole << in.rdbuf();
        const std::string bytes = whole.str();
        write_device_file(kAscii, bytes);

        // What each line should give, read independently: a plain comma split, the byte order mark and
        // carriage returns dropped, trailing blanks of the code removed. The last line of a number wins.
        Points last_wins, first_wins;
        int64_t good_lines = 0;
        auto number = [](const std::string& text) {
            double v = 0;
            EXPECT_TRUE(formats::parse_number_ansi(text, &v)) << text;
            return v;
        };
        std::istringstream lines(bytes.substr(bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0));
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> f;
            std::stringstream split(line);
            for (std::string field; std::getline(split, field, ',');)
                f.push_back(field);
            if (f.size() < 3 || f[0].empty() || f[0].find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::string code = f.size() > 4 ? f[4] : "";
            code.erase(code.find_last_not_of(" \t") + 1);
            store::PointRecord p = make_point(uint32_t(std::stoul(f[0])), number(f[1]), number(f[2]),
                f.size() > 3 ? number(f[3]) : 0, "", code.substr(0, 13).c_str());
            last_wins[p.number] = p;
            first_wins.emplace(p.number, p);
            ++good_lines;
        }
        EXPECT_EQ(good_lines, e.points);

        for (int policy : {kAlwaysReplace, kNeverReplace}) {
            store::coord_close();
            pf::remove(kCoords);
            ASSERT_TRUE(store::coord_create(kCoords));
            const ImportOutcome o = import_all(config_for(kAscii, kPenzd, policy));
            EXPECT_EQ(o.imported + o.replaced + o.kept, e.points);
            EXPECT_EQ(o.bad, e.bad);
            EXPECT_EQ(o.bad_lines, e.bad_lines);
            const Points live = live_points();
            const Points& expected = policy == kAlwaysReplace ? last_wins : first_wins;
            ASSERT_EQ(live.size(), expected.size());
            for (const auto& [number, p] : expected)
                EXPECT_TRUE(same_point(live.at(number), p)) << describe_point(live.at(number));
            if (std::string(e.name).find("correcto") != std::string::npos) {
                // Point 32 twice: the second replaces the first, or the first stays.
                EXPECT_EQ(live.at(32).northing, policy == kAlwaysReplace ? 4611155.645 : 4611139.645);
                EXPECT_EQ(o.replaced + o.kept, 1);
            }
        }
    }
}

}  // namespace
