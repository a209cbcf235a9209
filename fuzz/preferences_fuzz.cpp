// A Varno.prefs of any bytes, taken in as at start-up: loaded, applied to the display settings and the GPS
// port, its last file reopened and its view extents set; then saved and loaded again. The record must
// survive the trip byte for byte, except what a save writes from the running program.
//
// The app library brings the SDL window with it, so this harness links only the preferences sources
// (fuzz/CMakeLists.txt).

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/options_string.h"
#include "app/preferences.h"
#include "formats/display_settings.h"
#include "fuzz/fuzz_support.h"
#include "gps/gps_link.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "store/view_extents.h"

namespace {

constexpr const char16_t* kProgramDirectory = u"\\Program Files\\Varno\\";
constexpr const char16_t* kPrefsPath = u"\\Program Files\\Varno\\Varno.prefs";
// The job the seeds name as their last file: three points, made once.
constexpr const char16_t* kJobPath = u"\\My Documents\\Lot7.dat";

void make_job()
{
    if (platform::files::attributes(kJobPath) != platform::files::kInvalidAttributes)
        return;
    FUZZ_CHECK(store::coord_create(kJobPath));
    for (uint32_t n : {1u, 2u, 10u}) {
        store::PointRecord p;
        p.number = n;
        p.easting = 1000.0 + n;
        p.northing = 5000.0 - n;
        std::snprintf(p.name, sizeof p.name, "P%u", n);
        FUZZ_CHECK(store::point_store(p, false) == 1);
    }
    store::coord_close();
}

void reset_program()
{
    formats::reset_display_settings();
    gps::ResetGpsLink();
    store::coord_reset_for_tests();
    store::view_extents_reset_for_tests();
    app::reset_preferences();
}

// What start-up does with a loaded record (app/session.cpp).
void take_in(const app::PreferencesRecord& record)
{
    app::apply_preferences(record);
    std::u16string last = app::preferences_last_file(record);
    if (last == app::kNoLastFile)
        return;
    while (!last.empty() && (last.back() == u' ' || last.back() == u'\t'))
        last.pop_back();
    if (!last.empty())
        store::coord_open_with_indexes(last);
    store::view_extents_set(app::field_double(record.min_e), app::field_double(record.min_n),
        app::field_double(record.max_e), app::field_double(record.max_n));
}

// The settings a record gave are ones the options dialog could show, and their string reads back as them.
void check_settings(const app::PreferencesRecord& record)
{
    int mode = formats::angle_mode();
    FUZZ_CHECK(mode == formats::kAngleDegrees || mode == formats::kAngleGons || mode == formats::kAngleQuadrant);
    for (int decimals : {formats::angle_decimals(), formats::coordinate_decimals(), formats::distance_decimals(),
             formats::area_decimals()})
        FUZZ_CHECK(decimals >= formats::kMinDecimals && decimals <= formats::kMaxDecimals);
    std::u16string options = app::build_options_string();
    app::PreferencesRecord scratch {};
    FUZZ_CHECK(app::set_preferences_options(&scratch, options));
    app::apply_options_string(options);
    FUZZ_CHECK(app::build_options_string() == options);
    FUZZ_CHECK(gps::GetGpsPortName() == app::preferences_port_name(record));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::prepare_device();
    reset_program();
    make_job();
    store::set_index_build_runner([](store::IndexBuild&) {});
    fuzz::write_device_file(kPrefsPath, data, size);

    app::PreferencesRecord& record = app::preferences();
    FUZZ_CHECK(app::load_preferences(kProgramDirectory, &record) == 0);
    size_t loaded = std::min(size, app::kPreferencesSize);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&record);
    FUZZ_CHECK(std::memcmp(bytes, data, loaded) == 0);
    FUZZ_CHECK(std::all_of(bytes + loaded, bytes + app::kPreferencesSize, [](uint8_t b) { return b == 0; }));

    take_in(record);
    check_settings(record);
    store::view_extents();

    // A save writes the record over the start of the file and keeps the rest; loading it gives it back.
    // (Unless the last file named the preferences file itself: it is then held open, unshared.)
    namespace files = platform::files;
    if (store::coord_is_open() && files::host_path(store::coord_full_path()) == files::host_path(kPrefsPath)) {
        reset_program();
        return 0;
    }
    FUZZ_CHECK(app::save_preferences(kProgramDirectory, &record) == 0);
    std::string saved = fuzz::read_device_file(kPrefsPath);
    FUZZ_CHECK(saved.size() == std::max(size, app::kPreferencesSize));
    FUZZ_CHECK(std::memcmp(saved.data(), bytes, app::kPreferencesSize) == 0);
    FUZZ_CHECK(size <= app::kPreferencesSize
        || std::memcmp(saved.data() + app::kPreferencesSize, data + app::kPreferencesSize, size - app::kPreferencesSize)
            == 0);
    std::u16string expected_last = store::coord_is_open() ? store::coord_full_path() : app::kNoLastFile;
    FUZZ_CHECK(app::preferences_last_file(record) == expected_last);
    app::PreferencesRecord again;
    FUZZ_CHECK(app::load_preferences(kProgramDirectory, &again) == 0);
    FUZZ_CHECK(std::memcmp(&again, &record, sizeof record) == 0);

    reset_program();
    store::set_index_build_runner({});
    return 0;
}
