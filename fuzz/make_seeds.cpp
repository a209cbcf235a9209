// Makes the seed files of the binary readers with the program's own code: coordinate files and their index
// files, preferences files and a registry file. `varno_fuzz_seeds OUT` writes OUT/<harness>/<name>; the
// corpus under fuzz/corpus/ was made so (the text seeds are written by hand).

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/options_string.h"
#include "app/preferences.h"
#include "calc/area_job.h"
#include "calc/curve_types.h"
#include "calc/mapcheck_job.h"
#include "formats/display_settings.h"
#include "fuzz/fuzz_support.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "store/coord_file.h"
#include "store/index.h"
#include "store/point_index.h"
#include "store/view_extents.h"

namespace {

namespace fs = std::filesystem;
namespace files = platform::files;

fs::path s_out;

// Enough number keys for a tree of three levels.
constexpr uint32_t kDeepEntries = 8000;

void keep(const std::u16string& device_path, const std::string& harness, const std::string& name)
{
    fs::create_directories(s_out / harness);
    fs::copy_file(files::host_path(device_path), s_out / harness / name, fs::copy_options::overwrite_existing);
}

// A job of `count` points numbered from 1 in steps of 3, named in no particular order (some names shared),
// with every seventh point deleted again when asked.
void make_job(const std::u16string& path, int count, bool deletions = true)
{
    FUZZ_CHECK(store::coord_create(path));
    for (int i = 0; i < count; ++i) {
        store::PointRecord p;
        p.number = uint32_t(1 + 3 * i);
        p.easting = 500000.0 + 12.5 * i;
        p.northing = 4000000.0 - 7.25 * i;
        p.elevation = 100.0 + i % 17;
        std::snprintf(p.name, sizeof p.name, "%s%d", i % 3 ? "BM" : "TRAV", (i * 37) % 101);
        std::snprintf(p.code, sizeof p.code, "C%d", i % 5);
        std::snprintf(p.note, sizeof p.note, "note %d", i);
        FUZZ_CHECK(store::point_store(p, false) == 1);
    }
    for (int i = 6; i < count && deletions; i += 7)
        FUZZ_CHECK(store::point_delete(uint32_t(1 + 3 * i)) == 1);
    store::coord_close();
}

void coordinate_seeds()
{
    struct Job {
        const char16_t* base;
        const char* name;
        int count;
    };
    for (Job job : {Job {u"\\My Documents\\Small", "small", 12}, Job {u"\\My Documents\\Lot", "lot", 230}}) {
        std::u16string base = job.base;
        make_job(base + u".dat", job.count);
        keep(base + u".dat", "coord_file", std::string(job.name) + ".dat");
        keep(base + store::kNumberIndexSuffix, "index_pages", std::string(job.name) + "-numbers.PtNDX");
        keep(base + store::kNameIndexSuffix, "index_pages", std::string(job.name) + "-names.NamNDX");
    }
    // A full root, which the next insert splits.
    make_job(u"\\My Documents\\Full.dat", 3 * store::index_capacity(store::kNumberKeySize), false);
    keep(u"\\My Documents\\Full.PPC_.PtNDX", "index_pages", "full-root.PtNDX");
    // Three levels: the root's children are internal nodes. Keys arrive out of order, so the leaves are
    // not all filled alike.
    store::Index* deep = store::index_open(u"\\Temp\\Deep.PtNDX", store::kNumberKeySize, false);
    for (uint32_t i = 0; i < kDeepEntries; ++i) {
        char key[store::kNumberKeySize];
        store::point_number_key((i * 7919u) % kDeepEntries + 1, key);
        FUZZ_CHECK(store::index_insert(deep, key, i + 1) == store::kIndexOk);
    }
    FUZZ_CHECK(store::index_close(deep));
    keep(u"\\Temp\\Deep.PtNDX", "index_pages", "deep.PtNDX");
    // An empty index: the root alone.
    FUZZ_CHECK(
        store::index_close(store::index_open(u"\\My Documents\\Empty.PPC_.PtNDX", store::kNumberKeySize, false)));
    keep(u"\\My Documents\\Empty.PPC_.PtNDX", "index_pages", "empty.PtNDX");
}

void preferences_seeds()
{
    const std::u16string directory = u"\\Program Files\\Varno\\";
    // As the program leaves it with a job open (the preferences harness makes \My Documents\Lot7.dat).
    FUZZ_CHECK(store::coord_create(u"\\My Documents\\Lot7.dat"));
    store::view_extents_set(1000.0, 4990.0, 1010.0, 5000.0);
    formats::set_angle_mode(formats::kAngleGons);
    formats::set_coordinate_decimals(4);
    app::PreferencesRecord record {};
    app::set_preferences_port_name(&record, u"COM4:");
    app::set_preferences_options(&record, app::build_options_string());
    FUZZ_CHECK(app::save_preferences(directory, &record) == 0);
    keep(directory + app::kPreferencesFileName, "preferences", "open-job.prefs");
    // Nothing open, degrees.
    store::coord_close();
    formats::reset_display_settings();
    record = {};
    app::set_preferences_port_name(&record, u"COM3:");
    app::set_preferences_options(&record, app::build_options_string());
    FUZZ_CHECK(app::save_preferences(directory, &record) == 0);
    keep(directory + app::kPreferencesFileName, "preferences", "no-job.prefs");
}

void registry_seeds()
{
    namespace registry = platform::registry;
    FUZZ_CHECK(platform::serial::configure_port(u"COM3:", "replay:/tmp/track.nmea@480"));
    FUZZ_CHECK(platform::serial::configure_gpsd("localhost:2947"));
    FUZZ_CHECK(registry::set_number(u"Drivers\\BuiltIn\\GPSID", u"Baud", 4800));
    FUZZ_CHECK(registry::set_binary(u"Drivers\\BuiltIn\\GPSID", u"Blob", {0x00, 0xff, 0x7a}));
    FUZZ_CHECK(
        registry::set_text(u"Software\\Varno", u"Quoted \"name\"", u"tab\there\nline \\ \u00e9 \U0001F600 \xD800"));
    FUZZ_CHECK(registry::create_key(u"Software\\Empty"));
    keep(u"\\Windows\\registry.txt", "registry", "registry.txt");
}

}  // namespace

// A map check with a naming entry, a curve and a free slot among its legs, and an area figure with a curve.
void job_seeds()
{
    const std::u16string path = u"\\My Documents\\Seed.job";
    calc::MapCheckJob map;
    map.settings.start_n_text = u"5000";
    map.settings.start_e_text = u"2000";
    map.entries[0] = {1, 1, u"", u"", calc::kCorner};
    map.entries[1] = {1, 2, u"90", u"10", calc::kCentre};
    map.entries[2] = {1, 3, u"90", u"10", calc::kEndCurve};
    map.entries[4] = {1, 1, u"270", u"20", calc::kCorner};
    FUZZ_CHECK(calc::create_empty_job_file(path));
    FUZZ_CHECK(calc::write_job(calc::kMapCheckJob, path, calc::map_check_image(map)) == calc::JobWrite::Written);
    keep(path, "job_file", "mapcheck-curve.job");
    calc::AreaJob area;
    area.settings.units_text = u"0.0001";
    int i = 0;
    for (auto [number, type] : {std::pair {10u, calc::kBeginCurve}, {11u, calc::kCentreCounter},
             {14u, calc::kPointOnCurve}, {11u, calc::kCentre}, {12u, calc::kEndCurve}, {10u, calc::kCorner}})
        area.entries[size_t(i++)] = {1, number, type};
    FUZZ_CHECK(calc::create_empty_job_file(path));
    FUZZ_CHECK(calc::write_job(calc::kAreaJob, path, calc::area_image(area)) == calc::JobWrite::Written);
    keep(path, "job_file", "area-curve.job");
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT\n", argv[0]);
        return 2;
    }
    s_out = argv[1];
    fuzz::prepare_device();
    coordinate_seeds();
    preferences_seeds();
    registry_seeds();
    job_seeds();
    return 0;
}
