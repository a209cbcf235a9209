#include "app/preferences.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/options_string.h"
#include "formats/messages.h"
#include "gps/gps_link.h"
#include "platform/files/files.h"
#include "platform/reset/reset.h"
#include "store/coord_file.h"
#include "store/view_extents.h"

namespace app {

namespace files = platform::files;

namespace {

constexpr float kMarker = 0.8f;

struct PreferencesState {
    PreferencesRecord record {};
    std::u16string unopened_last_file;  // named by the record, not reopened at start-up; empty: none
};
PreferencesState s_preferences;

enum class SideSave { Saved, Failed, InPlace };

// The record followed by the bytes past it that the file at `path` holds. False when an existing file
// cannot be opened for writing or its tail cannot be read whole: the file is then written in place, which
// keeps whatever it holds past the record.
bool bytes_to_save(const std::u16string& path, const PreferencesRecord& record, std::vector<uint8_t>* bytes)
{
    const auto* first = reinterpret_cast<const uint8_t*>(&record);
    bytes->assign(first, first + kPreferencesSize);
    files::Handle file = files::open_existing(path, files::Access::ReadWrite);
    if (file == nullptr)
        return files::attributes(path) == files::kInvalidAttributes;
    const int64_t size = files::size(file);
    const int64_t tail = size - int64_t(kPreferencesSize);
    bool whole = size >= 0 && tail <= int64_t(UINT32_MAX - kPreferencesSize);
    if (whole && tail > 0) {
        bytes->resize(size_t(size));
        whole = files::read_at(file, kPreferencesSize, bytes->data() + kPreferencesSize, uint32_t(tail))
            == uint32_t(tail);
    }
    files::close(file);
    return whole;
}

// The new file goes beside the old one and takes its place only once written whole, so a short write (a
// full card) leaves the last good file. A folder that takes no new file leaves the old way, in place.
SideSave save_through_side_file(const std::u16string& path, const PreferencesRecord& record)
{
    std::vector<uint8_t> bytes;
    if (!bytes_to_save(path, record, &bytes))
        return SideSave::InPlace;
    switch (files::write_through_side_file(path, bytes.data(), uint32_t(bytes.size()))) {
    case files::SideWrite::Replaced:
        return SideSave::Saved;
    case files::SideWrite::ShortWrite:
        return SideSave::Failed;
    case files::SideWrite::NoSideFile:
    case files::SideWrite::NotReplaced:
        break;
    }
    return SideSave::InPlace;
}

// Opens the existing file, or creates it (only when the name is not empty); *created says which.
files::Handle open_for_save(const std::u16string& path, bool* created)
{
    *created = false;
    files::Handle file = files::open_existing(path, files::Access::ReadWrite);
    if (file != nullptr || path.empty())
        return file;
    files::Handle made = files::create_new(path, files::Access::ReadWrite);
    *created = made != nullptr;
    files::close(made);
    return files::open_existing(path, files::Access::ReadWrite);
}

// The record over the start of the file. A file made here that cannot take the record whole is removed
// again rather than left short or empty.
int save_in_place(const std::u16string& path, const PreferencesRecord& record)
{
    bool created = false;
    files::Handle file = open_for_save(path, &created);
    if (file == nullptr) {
        formats::message(u"Error opening file:", path);
        return -1;
    }
    const uint32_t written = files::write(file, &record, kPreferencesSize);
    files::close(file);
    if (written != kPreferencesSize) {
        if (created)
            files::remove(path);
        formats::message(u"Error writing file:", path);
        return -1;
    }
    return 0;
}

}  // namespace

PreferencesRecord& preferences()
{
    return s_preferences.record;
}

void reset_preferences()
{
    std::memset(&s_preferences.record, 0, sizeof s_preferences.record);
    s_preferences.unopened_last_file.clear();
}

void set_unopened_last_file(std::u16string path)
{
    s_preferences.unopened_last_file = std::move(path);
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
    const std::u16string& last = store::coord_is_open() ? store::coord_full_path() : s_preferences.unopened_last_file;
    if (last.empty() || !set_field_text(record->last_file, last))
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
    switch (save_through_side_file(path, *record)) {
    case SideSave::Saved:
        return 0;
    case SideSave::Failed:
        formats::message(u"Error writing file:", path);
        return -1;
    case SideSave::InPlace:
        break;
    }
    return save_in_place(path, *record);
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

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, reset_preferences);

}  // namespace app
