// The message box: a pop-up dialog made at run time from a template named "MessageBox", sized to its
// wrapped text, with a caption strip and a row of buttons.
#include <algorithm>

#include "platform/controls/control_kit.h"
#include "platform/controls/controls.h"

namespace platform::controls {

namespace {

constexpr int kPad = 8;
constexpr int kCaptionHeight = kPopupCaptionHeight;
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 200;
constexpr int kMinWidth = 120;
constexpr int kIconSize = 16;
constexpr int kIconRoom = kIconSize + 8;  // the icon and the gap before the text

struct BoxButton {
    int id;
    const char16_t* caption;
};

std::vector<BoxButton> buttons_of(unsigned type)
{
    switch (type & 0xF) {
    case kMbOkCancel:
        return {{ui::kIdOk, u"OK"}, {ui::kIdCancel, u"Cancel"}};
    case kMbYesNoCancel:
        return {{ui::kIdYes, u"Yes"}, {ui::kIdNo, u"No"}, {ui::kIdCancel, u"Cancel"}};
    case kMbYesNo:
        return {{ui::kIdYes, u"Yes"}, {ui::kIdNo, u"No"}};
    default:
        return {{ui::kIdOk, u"OK"}};
    }
}

// Escape answers Cancel where there is one, else No, else OK.
int escape_result(const std::vector<BoxButton>& buttons)
{
    int result = buttons.front().id;
    for (const BoxButton& b : buttons) {
        if (b.id == ui::kIdCancel)
            return b.id;
        if (b.id == ui::kIdNo)
            result = b.id;
    }
    return result;
}

gdi::FontRef caption_font()
{
    gdi::FontSpec spec;
    spec.height = gdi::metrics(gdi::ui_font()).height;
    spec.weight = 700;
    return gdi::create_font(spec);
}

// The type's icon as a 16-pixel symbol: a cross for errors, "?" for questions, "!" for warnings, "i" for
// information.
void draw_icon(gdi::DC& dc, unsigned icon, int x, int y)
{
    gdi::Rect r {x, y, x + kIconSize, y + kIconSize};
    const char16_t* mark = icon == kMbIconQuestion ? u"?" : icon == kMbIconWarning ? u"!" : u"i";
    dc.fill_rect(r,
        icon == kMbIconError         ? gdi::rgb(200, 0, 0)
            : icon == kMbIconWarning ? gdi::rgb(230, 160, 0)
                                     : gdi::rgb(0, 70, 170));
    if (icon == kMbIconError) {
        dc.select_pen({gdi::PenStyle::Solid, 1, gdi::kWhite});
        for (int d = 0; d < 2; ++d) {
            dc.move_to(x + 4 + d, y + 4);
            dc.line_to(x + 12 + d, y + 12);
            dc.move_to(x + 11 + d, y + 4);
            dc.line_to(x + 3 + d, y + 12);
        }
        dc.select_pen({});
        return;
    }
    dc.select_font(caption_font());
    kit::draw_text_line(dc, r, mark, gdi::kAlignCenter, gdi::kWhite);
}

class MessageBoxProc : public ui::DialogProc {
public:
    MessageBoxProc(std::vector<BoxButton> buttons, unsigned icon)
        : m_buttons(std::move(buttons))
        , m_icon(icon)
    {
    }

    bool on_init() override
    {
        ui::set_focus(item(m_buttons.front().id));
        return false;
    }

    bool on_command(int id, int code, Hwnd control) override
    {
        if (has(id)) {
            ui::end_dialog(hwnd(), id);
        } else if (id == ui::kIdCancel) {
            ui::end_dialog(hwnd(), escape_result(m_buttons));
        } else if (id == ui::kIdOk) {
            ui::end_dialog(hwnd(), m_buttons.front().id);  // Return picks the first button
        }
        return true;
    }

    bool on_close() override
    {
        ui::end_dialog(hwnd(), escape_result(m_buttons));
        return true;
    }

    bool on_message(uint32_t msg, ui::WParam wparam, ui::LParam lparam, ui::LResult* result) override
    {
        if (msg != ui::kMsgKeyDown || (wparam != ui::kKeyEscape && wparam != ui::kKeyReturn))
            return false;
        ui::end_dialog(hwnd(), wparam == ui::kKeyEscape ? escape_result(m_buttons) : return_result());
        *result = 0;
        return true;
    }

    bool on_paint(gdi::DC& dc) override
    {
        paint_popup_frame(hwnd(), dc);
        if (m_icon != 0)
            draw_icon(dc, m_icon, kPad, kCaptionHeight + kPad);
        return true;
    }

private:
    // Return presses the button that has the focus, else the first.
    int return_result() const
    {
        Hwnd f = ui::focus();
        if (ui::parent(f) == hwnd() && has(ui::window_id(f)))
            return ui::window_id(f);
        return m_buttons.front().id;
    }
    bool has(int id) const
    {
        return std::any_of(m_buttons.begin(), m_buttons.end(), [&](const BoxButton& b) { return b.id == id; });
    }
    std::vector<BoxButton> m_buttons;
    unsigned m_icon;
};

ui::DialogTemplate box_template(
    std::u16string_view caption, std::u16string_view text, const std::vector<BoxButton>& buttons, bool with_icon)
{
    int indent = with_icon ? kIconRoom : 0;
    gdi::FontRef font = gdi::ui_font();
    int lh = kit::line_height(font);
    int natural = 0;
    for (const std::u16string& line : kit::wrap_text(font, text, kMaxTextWidth))
        natural = std::max(natural, kit::measure(font, line).cx);
    int row = int(buttons.size()) * kButtonWidth + (int(buttons.size()) - 1) * kButtonGap;
    int caption_w = kit::measure(caption_font(), caption).cx;
    int width = std::min(ui::kScreenWidth, std::max({kMinWidth, natural + 1 + indent, row, caption_w}) + 2 * kPad);
    int text_w = width - 2 * kPad - indent;
    int lines = int(kit::wrap_text(font, text, text_w).size());
    int text_h = lines * lh;
    int max_text_h = ui::kWorkArea.height() - kCaptionHeight - kButtonHeight - 4 * kPad;
    text_h = std::min(text_h, std::max(lh, max_text_h / lh * lh));
    if (with_icon)
        text_h = std::max(text_h, kIconSize);
    int height = kCaptionHeight + kPad + text_h + kPad + kButtonHeight + kPad;

    ui::DialogTemplate t;
    t.name = "MessageBox";
    t.title = std::u16string(caption);
    t.full_screen = false;
    t.rect = {0, 0, width, height};
    int text_top = kCaptionHeight + kPad;
    t.controls.push_back({kMessageBoxTextId, std::u16string(kit::kStaticClass), std::u16string(text),
        {kPad + indent, text_top, kPad + indent + text_w, text_top + std::max(text_h, lh)},
        ui::kStyleVisible | ui::kStyleChild | kStaticLeft});
    int x = (width - row) / 2, y = height - kPad - kButtonHeight;
    for (size_t i = 0; i < buttons.size(); ++i) {
        uint32_t style
            = ui::kStyleVisible | ui::kStyleChild | ui::kStyleTabStop | (i == 0 ? kButtonDefPush : kButtonPush);
        t.controls.push_back({buttons[i].id, std::u16string(kit::kButtonClass), buttons[i].caption,
            {x, y, x + kButtonWidth, y + kButtonHeight}, style});
        x += kButtonWidth + kButtonGap;
    }
    return t;
}

}  // namespace

void paint_popup_frame(Hwnd dialog, gdi::DC& dc)
{
    gdi::DCSaver saved(dc);
    gdi::Rect r = ui::client_rect(dialog);
    dc.fill_rect({r.left, r.top, r.right, r.top + kCaptionHeight}, gdi::kBlack);
    dc.select_font(caption_font());
    kit::draw_text_line(dc, {r.left + kPad, r.top, r.right - kPad, r.top + kCaptionHeight}, ui::window_text(dialog),
        gdi::kAlignLeft, gdi::kWhite);
    dc.frame_rect(r, gdi::kBlack);
}

namespace {

// A box asked for while painting. One that only informs is shown once the paint is over and answers OK
// now, the one answer it has; a question cannot wait for its answer and is refused.
int put_off(Hwnd owner, std::u16string_view caption, std::u16string_view text, unsigned type)
{
    if (buttons_of(type).size() != 1)
        return 0;
    ui::post_call([owner, caption = std::u16string(caption), text = std::u16string(text), type] {
        message_box(owner, caption, text, type);
    });
    return ui::kIdOk;
}

}  // namespace

int message_box(Hwnd owner, std::u16string_view caption, std::u16string_view text, unsigned type)
{
    if (ui::painting())
        return put_off(owner, caption, text, type);
    std::vector<BoxButton> buttons = buttons_of(type);
    unsigned icon = type & 0xF0;
    bool known_icon
        = icon == kMbIconError || icon == kMbIconQuestion || icon == kMbIconWarning || icon == kMbIconInformation;
    ui::DialogTemplate t = box_template(caption, text, buttons, known_icon);
    MessageBoxProc proc(buttons, known_icon ? icon : 0);
    int result = ui::run_dialog(t, owner, proc);
    return result < 0 ? 0 : result;
}

}  // namespace platform::controls
