#include "calc/job_menu.h"

#include "formats/text_helpers.h"
#include "platform/files/files.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

JobPathChooser s_chooser;

// The browser's path with white space trimmed at both ends; "" when none was chosen.
std::u16string choose_path(ui::Hwnd owner)
{
    return s_chooser ? formats::trim_both_ends(s_chooser(owner)) : std::u16string();
}

void could_not_save(ui::Hwnd owner, const JobType& type)
{
    controls::message_box(owner, std::u16string(type.save_title), u"Could not save file.");
}

void not_overwritten(ui::Hwnd owner, const JobType& type)
{
    controls::message_box(
        owner, std::u16string(type.save_title), std::u16string(type.wrong_type_text) + u" It was not overwritten.");
}

// Writes to `path`, creating the file when there is none; shows what went wrong. True when written. A file
// that is there but does not open for writing is never emptied to make room.
bool write_to(ui::Hwnd owner, const JobDocument& job, const std::u16string& path)
{
    const JobImage image = job.image();
    JobWrite written = write_job(*job.type, path, image);
    if (written == JobWrite::NoFile && platform::files::attributes(path) == platform::files::kInvalidAttributes
        && create_empty_job_file(path))
        written = write_job(*job.type, path, image);
    if (written == JobWrite::Written)
        return true;
    if (written == JobWrite::OtherContent)
        not_overwritten(owner, *job.type);
    else
        could_not_save(owner, *job.type);
    return false;
}

}  // namespace

bool job_save_as(ui::Hwnd owner, const JobDocument& job)
{
    const std::u16string path = choose_path(owner);
    if (path.empty()) {
        could_not_save(owner, *job.type);
        return false;
    }
    if (!write_to(owner, job, path))
        return false;
    job_path(*job.type) = path;
    return true;
}

bool job_save(ui::Hwnd owner, const JobDocument& job)
{
    const std::u16string& path = job_path(*job.type);
    if (!path.empty()) {
        const JobWrite written = write_job(*job.type, path, job.image());
        if (written == JobWrite::Written)
            return true;
        // A file that now holds something else, or a write that came up short, is reported: choosing
        // another path would hide that the file on the card is not what the user saved.
        if (written == JobWrite::OtherContent) {
            not_overwritten(owner, *job.type);
            return false;
        }
        if (written == JobWrite::ShortWrite) {
            could_not_save(owner, *job.type);
            return false;
        }
    }
    return job_save_as(owner, job);
}

bool job_open(ui::Hwnd owner, const JobDocument& job)
{
    const std::u16string path = choose_path(owner);
    JobImage image;
    if (read_job(*job.type, path, &image) != JobRead::Read) {
        controls::message_box(owner, u"Error", std::u16string(job.type->wrong_type_text));
        return false;
    }
    job.replace(image);
    job_path(*job.type) = path;
    return true;
}

void job_reset(const JobDocument& job)
{
    job.reset();
    if (job.type->forget_path_on_reset)
        job_path(*job.type).clear();
}

void job_leave(const JobDocument& job)
{
    if (job.type->forget_path_on_exit)
        job_path(*job.type).clear();
}

std::u16string job_file_name(const JobType& type)
{
    const std::u16string& path = job_path(type);
    const size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

void set_job_path_chooser(JobPathChooser chooser)
{
    s_chooser = std::move(chooser);
}

std::u16string choose_job_path(ui::Hwnd owner)
{
    return choose_path(owner);
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_chooser = {}; });

}  // namespace calc
