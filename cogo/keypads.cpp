#include "cogo/keypads.h"

#include <cmath>

#include "cogo/azimuth_expression.h"
#include "cogo/distance_expression.h"
#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/display_settings.h"
#include "formats/number_format.h"
#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/cogo_resources.h"

namespace cogo {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

enum class KeypadKind { Distance, Azimuth };

constexpr forms::Declaration kDistanceKeypad {.dialog = res::kDialogDistanceKeypad, .cancel_result = ui::kIdCancel};
constexpr forms::Declaration kAzimuthKeypad {.dialog = res::kDialogAzimuthKeypad, .cancel_result = ui::kIdCancel};

std::u16string capped(std::u16string_view text)
{
    return std::u16string(text.substr(0, res::kKeypadTextLength));
}

class Keypad : public forms::Popup {
public:
    Keypad(KeypadKind kind, std::u16string_view handed)
        : Popup(kind == KeypadKind::Distance ? kDistanceKeypad : kAzimuthKeypad)
        , m_kind(kind)
        , m_expression(capped(handed))
    {
    }

    const std::optional<std::u16string>& answer() const { return m_answer; }

private:
    bool on_open() override
    {
        controls::edit_set_limit(item(res::kEditKeypadExpression), res::kKeypadTextLength);
        if (m_kind == KeypadKind::Azimuth && gons()) {
            forms::show_text(hwnd(), res::kButtonKeypadPlus90, u"+100");
            forms::show_text(hwnd(), res::kButtonKeypadMinus90, u"-100");
            forms::show_text(hwnd(), res::kButtonKeypadPlus180, u"+200");
        }
        show_expression();
        ui::set_focus(item(res::kEditKeypadExpression));
        return false;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (appends(id)) {
            append(ui::window_text(item(id)));
            return true;
        }
        switch (id) {
        case res::kButtonKeypadNorth:
        case res::kButtonKeypadNorth + 1:
        case res::kButtonKeypadNorth + 2:
        case res::kButtonKeypadWest:
            // Bearings have no gons.
            if (!gons())
                append(ui::window_text(item(id)));
            return true;
        case res::kButtonKeypadBack:
            if (!m_expression.empty())
                m_expression.pop_back();
            show_expression();
            return true;
        case res::kButtonKeypadClear:
            m_expression.clear();
            show_expression();
            return true;
        case res::kButtonKeypadCalculate:
            calculate();
            return true;
        case res::kButtonKeypadSin:
        case res::kButtonKeypadCos:
            trigonometry(id == res::kButtonKeypadSin);
            return true;
        case res::kButtonKeypadCaret:
            m_expression = capped(forms::read_text(hwnd(), res::kEditKeypadResult));
            show_expression();
            return true;
        case ui::kIdOk:
            m_answer = forms::read_text(hwnd(), res::kEditKeypadResult, res::kKeypadTextLength);
            end(ui::kIdOk);
            return true;
        default:
            return false;
        }
    }

    static bool gons() { return formats::angle_mode() == formats::kAngleGons; }

    bool appends(int id) const
    {
        return (id >= res::kButtonKeypadFirstKey && id <= res::kButtonKeypadLastKey) || id == res::kButtonKeypadPlus90
            || id == res::kButtonKeypadMinus90 || id == res::kButtonKeypadPlus180;
    }

    // A key's caption joins the expression only whole: a full expression takes no more keys.
    void append(const std::u16string& caption)
    {
        if (m_expression.size() + caption.size() <= size_t(res::kKeypadTextLength))
            m_expression += caption;
        show_expression();
    }

    // The stored expression replaces whatever was typed in the field; the result goes.
    void show_expression()
    {
        forms::show_text(hwnd(), res::kEditKeypadExpression, m_expression);
        forms::show_text(hwnd(), res::kEditKeypadResult, u"");
    }

    void calculate()
    {
        m_expression = forms::read_text(hwnd(), res::kEditKeypadExpression, res::kKeypadTextLength);
        std::u16string shown;
        if (m_kind == KeypadKind::Distance) {
            if (std::optional<double> d = evaluate_distance_expression(m_expression))
                shown = formats::format_distance(*d);
        } else if (std::optional<double> a = evaluate_azimuth_expression(m_expression)) {
            shown = formats::format_azimuth(*a);
        }
        forms::show_text(hwnd(), res::kEditKeypadResult, shown);
    }

    // The expression read as an angle of the angle mode; its sine or cosine, nudged by 1e-18 so an exact
    // zero shows without a sign.
    void trigonometry(bool sine)
    {
        m_expression = forms::read_text(hwnd(), res::kEditKeypadExpression, res::kKeypadTextLength);
        const std::optional<double> degrees = forms::read_angle(hwnd(), res::kEditKeypadExpression);
        std::u16string shown;
        if (degrees && std::isfinite(*degrees)) {
            const double radians = formats::degrees_to_radians(*degrees);
            shown = platform::text::wformat(u"%.16lf", (sine ? std::sin(radians) : std::cos(radians)) + 1e-18);
        }
        forms::show_text(hwnd(), res::kEditKeypadResult, shown);
    }

    KeypadKind m_kind;
    std::u16string m_expression;  // the stored expression, at most kKeypadTextLength characters
    std::optional<std::u16string> m_answer;
};

std::optional<std::u16string> run_keypad(KeypadKind kind, ui::Hwnd owner, std::u16string_view text)
{
    Keypad keypad(kind, text);
    if (keypad.run(owner) != ui::kIdOk)
        return std::nullopt;
    return keypad.answer();
}

}  // namespace

std::optional<std::u16string> run_distance_keypad(ui::Hwnd owner, std::u16string_view text)
{
    return run_keypad(KeypadKind::Distance, owner, text);
}

std::optional<std::u16string> run_azimuth_keypad(ui::Hwnd owner, std::u16string_view text)
{
    return run_keypad(KeypadKind::Azimuth, owner, text);
}

}  // namespace cogo
