#include "app/open_commands.h"

#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "store/coord_file.h"

namespace app {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

// The answers of the coordinate-file check.
constexpr int kIsCoordFile = 1;
constexpr int kNotCoordFile = -1;

bool is_space(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

}  // namespace

std::u16string strip_trailing_space(std::u16string path)
{
    while (!path.empty() && is_space(path.back()))
        path.pop_back();
    return path;
}

void open_command(ui::Hwnd owner)
{
    // NOTE: The file browser hands its chosen path over here once it is part of the program; until then
    // there is no path and Open ends at once.
    open_chosen_file(owner, std::u16string());
}

void reindex_command(ui::Hwnd owner)
{
    // NOTE: As for Open, the path comes from the file browser once it is part of the program.
    reindex_chosen_file(owner, std::u16string());
}

void open_chosen_file(ui::Hwnd owner, std::u16string path)
{
    path = strip_trailing_space(std::move(path));
    if (path.empty())
        return;
    const int check = store::coord_check(path);
    if (check == kNotCoordFile) {
        controls::message_box(owner, u"Error", u"Not a coordinate file.");
        return;
    }
    // Opening an existing coordinate file with its indexes belongs to the point-index layer; a new file
    // is never made over one that exists.
    if (check == kIsCoordFile)
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
    if (store::coord_check(path) == kNotCoordFile) {
        controls::message_box(owner, u"Error", platform::text::wformat(u"%s is not a coordinate file.", path.c_str()));
        return;
    }
    // Rebuilding both indexes belongs to the point-index layer, which closes the open file first.
}

}  // namespace app
