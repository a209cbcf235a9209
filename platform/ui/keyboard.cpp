// The on-screen keyboard shown while the input panel is raised: five rows of keys over the lower part of
// the screen. It never takes the focus; a tap types into whatever window has it.

#include <vector>

#include "platform/ui/ui_state.h"

namespace platform::ui::detail {

const char16_t kKeyboardClass[] = u"KeyboardPanel";

namespace {

constexpr int kRowHeight = 16;
constexpr int kKeyWidth = 24;
constexpr int kTextRows = 4;
const char16_t* const kRows[kTextRows] = {u"1234567890", u"qwertyuiop", u"asdfghjkl-", u"zxcvbnm,.:"};

enum class Special { None, Shift, Space, Back, Enter };

struct Key {
    Rect rect;        // client coordinates of the keyboard window
    char16_t ch = 0;  // the character typed, for plain keys
    Special special = Special::None;
    const char16_t* label = nullptr;  // special keys
};

std::vector<Key> layout()
{
    std::vector<Key> keys;
    for (int row = 0; row < kTextRows; ++row) {
        std::u16string_view chars = kRows[row];
        for (size_t i = 0; i < chars.size(); ++i) {
            int x = int(i) * kKeyWidth, y = row * kRowHeight;
            keys.push_back(Key {Rect {x, y, x + kKeyWidth, y + kRowHeight}, chars[i]});
        }
    }
    int y = kTextRows * kRowHeight;
    keys.push_back(Key {Rect {0, y, 48, y + kRowHeight}, 0, Special::Shift, u"shift"});
    keys.push_back(Key {Rect {48, y, 144, y + kRowHeight}, 0, Special::Space, u"space"});
    keys.push_back(Key {Rect {144, y, 192, y + kRowHeight}, 0, Special::Back, u"back"});
    keys.push_back(Key {Rect {192, y, kScreenWidth, y + kRowHeight}, 0, Special::Enter, u"enter"});
    return keys;
}

bool shifted(Hwnd hwnd)
{
    return user_data(hwnd) != nullptr;
}

char16_t typed(char16_t c, bool shift)
{
    return (shift && c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

void paint_keys(Hwnd hwnd)
{
    auto dc = begin_paint(hwnd);
    dc->set_bk_mode(gdi::BkMode::Transparent);
    dc->set_text_align(gdi::kAlignCenter | gdi::kAlignTop);
    int text_height = gdi::metrics(font(hwnd)).height;
    dc->select_font(font(hwnd));
    bool shift = shifted(hwnd);
    for (const Key& k : layout()) {
        if (k.special == Special::Shift && shift)
            dc->fill_rect(k.rect, gdi::rgb(160, 160, 160));
        dc->frame_rect(k.rect, gdi::rgb(128, 128, 128));
        std::u16string label = k.label ? std::u16string(k.label) : std::u16string(1, typed(k.ch, shift));
        dc->text_out((k.rect.left + k.rect.right) / 2, k.rect.top + (k.rect.height() - text_height) / 2, label);
    }
    end_paint(hwnd, std::move(dc));
}

void press(Hwnd hwnd, int x, int y)
{
    for (const Key& k : layout()) {
        if (!k.rect.contains(x, y))
            continue;
        bool shift = shifted(hwnd);
        switch (k.special) {
        case Special::Shift:
            set_user_data(hwnd, shift ? nullptr : reinterpret_cast<void*>(1));
            invalidate(hwnd);
            return;
        case Special::Space:
            input_key(kKeySpace, 0);
            input_char(u' ');
            break;
        case Special::Back:
            input_key(kKeyBack, 0);
            break;
        case Special::Enter:
            input_key(kKeyReturn, 0);
            break;
        case Special::None:
            input_char(typed(k.ch, shift));
            break;
        }
        if (shift) {
            set_user_data(hwnd, nullptr);
            invalidate(hwnd);
        }
        return;
    }
}

}  // namespace

LResult keyboard_proc(Hwnd hwnd, uint32_t msg, WParam wparam, LParam lparam)
{
    switch (msg) {
    case kMsgPaint:
        paint_keys(hwnd);
        return 0;
    case kMsgLButtonUp:
        press(hwnd, point_x(lparam), point_y(lparam));
        return 0;
    default:
        return default_window_proc(hwnd, msg, wparam, lparam);
    }
}

}  // namespace platform::ui::detail
