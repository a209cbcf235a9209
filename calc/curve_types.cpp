#include "calc/curve_types.h"

namespace calc {

std::u16string_view curve_type_name(int32_t type)
{
    static constexpr std::u16string_view kNames[kCurveTypeCount] = {u"Corner", u"BC", u"EC", u"C", u"CC", u"POC"};
    return is_known_curve_type(type) ? kNames[type] : std::u16string_view();
}

}  // namespace calc
