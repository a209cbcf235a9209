#pragma once
// The File menu of every calculation dialog (New, Open, Close, Save, Save As) over the job file container
// (calc/job_file.h). A dialog describes its job once as a JobDocument and calls these from its command
// switch; the texts and the path rules come from its JobType.
//
//   Save     writes to the job's path; with no path, or a file that does not open, it goes on as Save As.
//   Save As  asks for a path with the file browser and writes there (creating the file when it does not
//            exist; an existing file that does not open for writing is not emptied). The path becomes the job's path once the job is written. Failures show the type's
//            save title with "Could not save file."; a file that holds something else (a coordinate file,
//            another job type) is left untouched and reported with the type's wrong-type text and
//            "It was not overwritten.".
//   Open     asks for a path and reads the whole job; the path becomes the job's path and the job is
//            replaced only after a good read. Otherwise "Error" with the type's wrong-type text, and the
//            job and its path stay as they were.
//   New, Close  reset the job; the type says whether its path is forgotten too.

#include <functional>
#include <string>

#include "calc/job_file.h"
#include "platform/ui/ui.h"

namespace calc {

struct JobDocument {
    const JobType* type = nullptr;
    std::function<JobImage()> image;               // the job as it is to be written
    std::function<void(const JobImage&)> replace;  // the job replaced whole by one read
    std::function<void()> reset;                   // the job's initial state
};

// True when the job was written (Save, Save As) or read (Open).
bool job_save(platform::ui::Hwnd owner, const JobDocument& job);
bool job_save_as(platform::ui::Hwnd owner, const JobDocument& job);
bool job_open(platform::ui::Hwnd owner, const JobDocument& job);
// New and Close.
void job_reset(const JobDocument& job);
// Leaving the dialog: the path is forgotten when the type says so.
void job_leave(const JobDocument& job);

// The last component of the job's path ("" with none), for a dialog's caption.
std::u16string job_file_name(const JobType& type);

// Where a path comes from: the file browser, installed by the application at start-up. It returns the
// chosen path as typed ("" when cancelled). Until one is installed no path is ever chosen.
using JobPathChooser = std::function<std::u16string(platform::ui::Hwnd owner)>;
void set_job_path_chooser(JobPathChooser chooser);
// A path from the installed chooser, white space trimmed at both ends; "" when cancelled or none is installed.
std::u16string choose_job_path(platform::ui::Hwnd owner);

}  // namespace calc
