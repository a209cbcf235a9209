#include "app/preferences.h"

#include <cstring>

#include "app/options_string.h"
#include "formats/messages.h"
#include "gps/gps_link.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/view_extents.h"

namespace app {

namespace files = platform::files;

namespace {

constexpr float kMarker = 0.8f;

struct PreferencesState {
    PreferencesRecord record{};
};
PreferencesState s_preferences;

files::Handle open_for_save(const std::u16string& path)
{
    files::Handle file = files::open_existing(path, files::Access::ReadWrite);
    if (file != nullptr || path.empty())
        return file;
    files::close(files::create_new(path, files::Access::ReadWrite));
    return files::open_existing(path, files::Access::ReadWrite);
}

}  // namespace

PreferencesRecord& preferences()
{
    return s_preferences.record;
}

void reset_preferences()
{
    std::memset(&s_preferences.record, 0, sizeof s_preferences.record);
}

std::u16string preferences_path(const std::u16string& program_directory)
{
    return program_directory + kPreferencesFileName;
}

int load_preferences(const std::u16string& program_directory, PreferencesRecord* out)
{
    std::memset(out, 0, sizeof *out);
    files::Handle file = files::open_existing(preferences_path(program_directory), files::Access::ReadWrite);
    if (file == nullptr)
        return -1;
    files::read(file, out, kPreferencesSize);
    files::close(file);
    return 0;
}

void apply_preferences(const PreferencesRecord& record)
{
    gps::SetGpsPortName(preferences_port_name(record));
    apply_options_string(preferences_options(record));
}

void record_current_state(PreferencesRecord* record)
{
    set_field_float(record->marker, kMarker);
    const std::u16string& open_path = store::coord_full_path();
    if (!store::coord_is_open() || !set_field_text(record->last_file, open_path))
        set_field_text(record->last_file, kNoLastFile);
    double min_e, min_n, max_e, max_n;
    store::view_extents_get(&min_e, &min_n, &max_e, &max_n);
    set_field_double(record->min_e, min_e);
    set_field_double(record->min_n, min_n);
    set_field_double(record->max_e, max_e);
    set_field_double(record->max_n, max_n);
}

int save_preferences(const std::u16string& program_directory, PreferencesRecord* record)
{
    record_current_state(record);
    const std::u16string path = preferences_path(program_directory);
    files::Handle file = open_for_save(path);
    if (file == nullptr) {
        formats::message(u"Error opening file:", path);
        return -1;
    }
    const uint32_t written = files::write(file, record, kPreferencesSize);
    files::close(file);
    if (written != kPreferencesSize) {
        formats::message(u"Error writing file:", path);
        return -1;
    }
    return 0;
}

std::u16string preferences_last_file(const PreferencesRecord& record)
{
    return field_text(record.last_file);
}

std::u16string preferences_options(const PreferencesRecord& record)
{
    return field_text(record.options);
}

bool set_preferences_options(PreferencesRecord* record, std::u16string_view options)
{
    return set_field_text(record->options, options);
}

std::u16string preferences_port_name(const PreferencesRecord& record)
{
    return field_text(record.port_name);
}

void set_preferences_port_name(PreferencesRecord* record, std::u16string_view name)
{
    set_field_text(record->port_name, name.substr(0, field_capacity(sizeof record->port_name)));
}

}  // namespace app
