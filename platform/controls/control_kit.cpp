#include "platform/controls/control_kit.h"

#include <memory>
#include <unordered_map>

#include "platform/reset/reset.h"

namespace platform::controls::kit {

namespace {

struct KitState {
    std::unique_ptr<gdi::MemoryDC> scratch;       // measuring only; made on first use, lives for the run
    std::unordered_map<Hwnd, OwnedState> states;  // each live control's state; its user data borrows it
};
KitState s_kit;

gdi::DC& scratch_dc()
{
    if (!s_kit.scratch)
        s_kit.scratch = std::make_unique<gdi::MemoryDC>(1, 1);
    return *s_kit.scratch;
}

bool is_space(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Splits one paragraph (no line feeds) into lines of at most `width` pixels.
void wrap_paragraph(const gdi::FontRef& font, std::u16string_view para, int width, std::vector<std::u16string>* out)
{
    std::u16string line;
    size_t i = 0;
    while (i < para.size()) {
        size_t word_end = i;
        while (word_end < para.size() && !is_space(para[word_end]))
            ++word_end;
        std::u16string candidate = line + std::u16string(para.substr(i, word_end - i));
        if (line.empty() || measure(font, candidate).cx <= width) {
            line = candidate;
        } else {
            while (!line.empty() && is_space(line.back()))
                line.pop_back();
            out->push_back(line);
            line = std::u16string(para.substr(i, word_end - i));
        }
        // A word wider than a whole line is broken between characters.
        while (line.size() > 1 && measure(font, line).cx > width) {
            size_t fit = 1;
            while (fit + 1 < line.size() && measure(font, std::u16string_view(line).substr(0, fit + 1)).cx <= width)
                ++fit;
            out->push_back(line.substr(0, fit));
            line.erase(0, fit);
        }
        i = word_end;
        while (i < para.size() && is_space(para[i]))
            line.push_back(para[i++]);
    }
    while (!line.empty() && is_space(line.back()))
        line.pop_back();
    out->push_back(line);
}

}  // namespace

void keep_state(Hwnd hwnd, OwnedState state)
{
    ui::set_user_data(hwnd, state.get());
    s_kit.states.insert_or_assign(hwnd, std::move(state));
}

void free_state(Hwnd hwnd)
{
    ui::set_user_data(hwnd, nullptr);
    s_kit.states.erase(hwnd);
}

bool is_class(Hwnd hwnd, std::u16string_view name)
{
    return ui::is_window(hwnd) && text::equal_no_case(ui::class_name(hwnd), name);
}

void notify_parent(Hwnd control, int code)
{
    Hwnd parent = ui::parent(control);
    if (parent == ui::kNoWindow)
        return;
    ui::send_message(parent, ui::kMsgCommand, ui::make_wparam(unsigned(ui::window_id(control)), unsigned(code)),
        ui::LParam(control));
}

gdi::Size measure(const gdi::FontRef& font, std::u16string_view text)
{
    gdi::DC& dc = scratch_dc();
    dc.select_font(font);
    return dc.text_extent(text);
}

int line_height(const gdi::FontRef& font)
{
    int h = gdi::metrics(font).height;
    return h > 0 ? h : 13;
}

std::vector<std::u16string> wrap_text(const gdi::FontRef& font, std::u16string_view text, int width)
{
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (true) {
        size_t lf = text.find(u'\n', start);
        std::u16string_view para = text.substr(start, lf == std::u16string_view::npos ? text.npos : lf - start);
        if (!para.empty() && para.back() == u'\r')
            para.remove_suffix(1);
        wrap_paragraph(font, para, width, &lines);
        if (lf == std::u16string_view::npos)
            break;
        start = lf + 1;
    }
    return lines;
}

void draw_text_line(gdi::DC& dc, const gdi::Rect& r, std::u16string_view text, unsigned align, gdi::Color color)
{
    dc.set_text_color(color);
    dc.set_bk_mode(gdi::BkMode::Transparent);
    int y = r.top + (r.height() - line_height(dc.font())) / 2;
    int x = r.left;
    if (align == gdi::kAlignCenter)
        x = r.left + r.width() / 2;
    else if (align == gdi::kAlignRight)
        x = r.right;
    dc.set_text_align(align | gdi::kAlignTop);
    dc.text_out(x, y, text);
    dc.set_text_align(gdi::kAlignLeft | gdi::kAlignTop);
}

namespace {

// What a new process starts with, for the tests: windows are gone by now, and so are their states.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Platform, [] { s_kit.states.clear(); });

}  // namespace

}  // namespace platform::controls::kit
