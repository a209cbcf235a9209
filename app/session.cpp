#include "app/session.h"

#include "app/options_string.h"
#include "app/preferences.h"
#include "app/program_directory.h"
#include "gps/gps_link.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/view_extents.h"

namespace app {

namespace {

void start_new_record(PreferencesRecord* record)
{
    set_preferences_port_name(record, gps::GetGpsPortName());
    set_preferences_options(record, build_options_string());
}

void reopen_last_file(const PreferencesRecord& record)
{
    const std::u16string last = preferences_last_file(record);
    if (last == kNoLastFile)
        return;
    const std::u16string path = strip_trailing_space(last);
    // Checked as Open checks a chosen file: records must never be appended to a file of another kind
    // that the preferences happen to name. Start-up says nothing of it, as of any file it cannot reopen.
    // Such a file is forgotten; one that is missing or cannot be opened now (read-only, on a storage card
    // that is not there) keeps its name, to be reopened at a later start.
    if (!path.empty() && store::coord_check(path) != store::kNotCoordFile && store::coord_open_with_indexes(path) == 0)
        set_unopened_last_file(path);
    store::view_extents_set(
        field_double(record.min_e), field_double(record.min_n), field_double(record.max_e), field_double(record.max_n));
}

}  // namespace

void restore_session(const std::u16string& program_directory)
{
    PreferencesRecord& record = preferences();
    if (load_preferences(program_directory, &record) != 0) {
        start_new_record(&record);
        return;
    }
    apply_preferences(record);
    reopen_last_file(record);
}

void save_session(const std::u16string& program_directory)
{
    save_preferences(program_directory, &preferences());
}

}  // namespace app
