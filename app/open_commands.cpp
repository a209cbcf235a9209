#include "app/open_commands.h"

#include "app/file_browser_dialog.h"
#include "app/preferences.h"
#include "app/program_directory.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "store/coord_file.h"
#include "store/coord_open.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

// The store refuses a longer path for the open file; refusing it here leaves the open file open.
bool refuse_long_path(ui::Hwnd owner, const std::u16string& path)
{
    if (path.size() <= store::kMaxCoordPathLength)
        return false;
    controls::message_box(owner, u"Error", u"The path is too long: at most 133 characters.");
    return true;
}

}  // namespace

void open_command(ui::Hwnd owner)
{
    run_file_browser(owner);
    open_chosen_file(owner, file_browser_result());
}

void reindex_command(ui::Hwnd owner)
{
    run_file_browser(owner);
    reindex_chosen_file(owner, file_browser_result());
}

void open_chosen_file(ui::Hwnd owner, std::u16string path)
{
    path = strip_trailing_space(std::move(path));
    if (path.empty())
        return;
    const int check = store::coord_check(path);
    if (check == store::kNotCoordFile) {
        controls::message_box(owner, u"Error", u"Not a coordinate file.");
        return;
    }
    if (refuse_long_path(owner, path))
        return;
    set_unopened_last_file(u"");
    if (store::coord_open_with_indexes(path) != 0 || check == store::kIsCoordFile)
        return;
    static const uint8_t kZeroHeader[store::kCoordHeaderBlockSize] = {};
    if (!store::coord_create(path, kZeroHeader))
        controls::message_box(owner, u"Error opening new file", path);
}

void reindex_chosen_file(ui::Hwnd owner, std::u16string path)
{
    path = strip_trailing_space(std::move(path));
    if (path.empty())
        return;
    if (store::coord_check(path) == store::kNotCoordFile) {
        controls::message_box(owner, u"Error", platform::text::wformat(u"%s is not a coordinate file.", path.c_str()));
        return;
    }
    if (refuse_long_path(owner, path))
        return;
    set_unopened_last_file(u"");
    store::coord_reindex(path);
}

}  // namespace app
