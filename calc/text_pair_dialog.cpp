#include "calc/text_pair_dialog.h"

#include "forms/fields.h"
#include "platform/controls/controls.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;

namespace {

class TextPairDialog : public forms::Popup {
public:
    TextPairDialog(
        const forms::Declaration& declaration, const TextPair& fields, std::u16string* first, std::u16string* second)
        : Popup(declaration)
        , m_fields(fields)
        , m_first(first)
        , m_second(second)
    {
    }

private:
    bool on_open() override
    {
        controls::edit_set_limit(item(m_fields.first_id), m_fields.max_chars);
        controls::edit_set_limit(item(m_fields.second_id), m_fields.max_chars);
        forms::show_text(hwnd(), m_fields.first_id, *m_first);
        forms::show_text(hwnd(), m_fields.second_id, *m_second);
        return true;
    }

    bool on_action(int id, int, ui::Hwnd) override
    {
        if (id != ui::kIdOk)
            return false;
        *m_first = forms::read_text(hwnd(), m_fields.first_id, m_fields.max_chars);
        *m_second = forms::read_text(hwnd(), m_fields.second_id, m_fields.max_chars);
        end(1);
        return true;
    }

    TextPair m_fields;
    std::u16string* m_first;
    std::u16string* m_second;
};

}  // namespace

bool run_text_pair(ui::Hwnd owner, const forms::Declaration& declaration, const TextPair& fields, std::u16string* first,
    std::u16string* second)
{
    return TextPairDialog(declaration, fields, first, second).run(owner) == 1;
}

}  // namespace calc
