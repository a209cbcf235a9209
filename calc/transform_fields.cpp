#include "calc/transform_fields.h"

#include <optional>

#include "forms/fields.h"
#include "formats/angle_format.h"
#include "formats/angle_parse.h"
#include "formats/angle_units.h"
#include "formats/number_format.h"
#include "platform/text/text.h"
#include "resources/transform_resources.h"
#include "store/point_index.h"

namespace calc {

namespace ui = platform::ui;
namespace res = resources;

namespace {

std::u16string number_text(uint32_t n)
{
    return n == 0 ? u"" : platform::text::wformat(u"%lu", (unsigned long)n);
}

constexpr int kNumberFields[] = {res::kEditSourceFrom, res::kEditSourceTo, res::kEditTargetFrom, res::kEditTargetTo};

uint32_t* number_field(TransformParameters* p, int i)
{
    uint32_t* fields[] = {&p->source_from, &p->source_to, &p->target_from, &p->target_to};
    return fields[i];
}

}  // namespace

void TransformFields::show_text(ui::Hwnd dialog, int id, const std::u16string& text)
{
    forms::show_text(dialog, id, text);
    m_shown[id] = text;
}

bool TransformFields::unchanged(ui::Hwnd dialog, int id) const
{
    auto it = m_shown.find(id);
    return it != m_shown.end() && it->second == forms::read_text(dialog, id);
}

void TransformFields::show_numbers(ui::Hwnd dialog, const TransformParameters& p)
{
    TransformParameters copy = p;
    for (int i = 0; i < 4; ++i)
        show_text(dialog, kNumberFields[i], number_text(*number_field(&copy, i)));
}

void TransformFields::read_numbers(ui::Hwnd dialog, TransformParameters* p) const
{
    for (int i = 0; i < 4; ++i)
        *number_field(p, i) = forms::read_point_number(dialog, kNumberFields[i]);
}

void TransformFields::show(ui::Hwnd dialog, const TransformParameters& p)
{
    show_numbers(dialog, p);
    show_text(dialog, res::kEditRotation, p.rotation == 0 ? u"" : formats::format_azimuth(p.rotation));
    show_text(dialog, res::kEditAboutNumber, number_text(p.about_number));
    show_text(dialog, res::kEditAboutN, is_unset(p.about_n) ? u"" : formats::format_coordinate(p.about_n));
    show_text(dialog, res::kEditAboutE, is_unset(p.about_e) ? u"" : formats::format_coordinate(p.about_e));
    const double shifts[] = {p.shift_n, p.shift_e, p.shift_el};
    const double scales[] = {p.scale_n, p.scale_e, p.scale_el};
    for (int i = 0; i < 3; ++i) {
        show_text(dialog, res::kEditShiftN + i, shifts[i] == 0 ? u"" : formats::format_coordinate(shifts[i]));
        show_text(dialog, res::kEditScaleN + i, platform::text::wformat(u"%.9f", scales[i]));
    }
}

bool TransformFields::read(ui::Hwnd dialog, TransformParameters* out, std::u16string* why) const
{
    TransformParameters p = *out;
    read_numbers(dialog, &p);

    if (!unchanged(dialog, res::kEditRotation)) {
        const std::u16string text = forms::read_trimmed(dialog, res::kEditRotation);
        if (!formats::angle_text_parses(text)) {
            *why = u"The rotation does not read as an angle.";
            return false;
        }
        p.rotation = text.empty() ? 0.0 : formats::degrees_to_radians(formats::parse_angle(text));
    }

    // A number (unchanged: the block's), or the reason it is refused; an empty field is `empty`.
    auto value = [&](int id, double kept, double empty, const char16_t* name) -> std::optional<double> {
        if (unchanged(dialog, id))
            return kept;
        if (forms::read_trimmed(dialog, id).empty())
            return empty;
        std::optional<double> v = forms::read_number(dialog, id);
        if (!v)
            *why = std::u16string(name) + u" does not read as a number.";
        return v;
    };

    p.about_number = forms::read_point_number(dialog, res::kEditAboutNumber);
    store::PointRecord about;
    if (p.about_number != 0 && store::point_read_by_number(p.about_number, &about) == 1) {
        p.about_n = about.northing;
        p.about_e = about.easting;
    } else {
        std::optional<double> n = value(res::kEditAboutN, out->about_n, kUnset, u"About N");
        std::optional<double> e = n ? value(res::kEditAboutE, out->about_e, kUnset, u"About E") : std::nullopt;
        if (!n || !e)
            return false;
        p.about_n = *n;
        p.about_e = *e;
    }

    static const char16_t* const shift_names[] = {u"Shift N", u"Shift E", u"Shift El"};
    static const char16_t* const scale_names[] = {u"Scale N", u"Scale E", u"Scale El"};
    double* shifts[] = {&p.shift_n, &p.shift_e, &p.shift_el};
    double* scales[] = {&p.scale_n, &p.scale_e, &p.scale_el};
    for (int i = 0; i < 3; ++i) {
        std::optional<double> shift = value(res::kEditShiftN + i, *shifts[i], 0.0, shift_names[i]);
        std::optional<double> scale
            = shift ? value(res::kEditScaleN + i, *scales[i], 0.0, scale_names[i]) : std::nullopt;
        if (!shift || !scale)
            return false;
        *shifts[i] = *shift;
        *scales[i] = *scale;
    }
    *out = p;
    return true;
}

}  // namespace calc
