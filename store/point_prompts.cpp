#include "store/point_prompts.h"

#include "forms/fields.h"
#include "forms/form.h"
#include "platform/reset/reset.h"
#include "resources/point_dialog_resources.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace res = resources;

constexpr const char16_t* kInitialPromptText = u"Point exists. Overwrite?";

// Cancel (its button, or Escape) ends a prompt with 2 and closing it with 1; both answer no.
constexpr forms::Declaration kOverwritePrompt {
    .dialog = res::kDialogOverwritePoint, .cancel_result = ui::kIdCancel, .close_result = ui::kIdOk};
constexpr forms::Declaration kDeletePrompt {
    .dialog = res::kDialogDeletePoint, .cancel_result = ui::kIdCancel, .close_result = ui::kIdOk};
constexpr forms::Declaration kRenumberPrompt {
    .dialog = res::kDialogRenumberPoint, .cancel_result = ui::kIdCancel, .close_result = ui::kIdOk};

// The prompts' texts and answers; the user-interface thread owns them for the whole run.
struct PromptState {
    std::u16string overwrite_text = kInitialPromptText;
    std::u16string renumber_text = kInitialPromptText;
    bool overwrite = false;
    bool remove = false;
    bool renumber = false;
    uint32_t new_number = 0;
};
PromptState s_prompts;

// OVERWRITE_PT and DELETE_PT: OK is yes, anything else no.
class YesNoPrompt : public forms::Popup {
public:
    YesNoPrompt(const forms::Declaration& declaration, bool& answer, const std::u16string* text)
        : Popup(declaration)
        , m_answer(answer)
        , m_text(text)
    {
        m_answer = false;
    }

private:
    bool on_open() override
    {
        if (m_text != nullptr)
            forms::show_text(hwnd(), res::kStaticOverwriteText, *m_text);
        return true;
    }
    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id != ui::kIdOk)
            return false;
        m_answer = true;
        end(id);
        return true;
    }

    bool& m_answer;
    const std::u16string* m_text;
};

class RenumberPrompt : public forms::Popup {
public:
    RenumberPrompt()
        : Popup(kRenumberPrompt)
    {
        s_prompts.renumber = false;
    }

private:
    bool on_open() override
    {
        forms::show_text(hwnd(), res::kStaticRenumberText, s_prompts.renumber_text);
        forms::show_text(hwnd(), res::kEditRenumberNumber, u"");
        ui::set_focus(item(res::kEditRenumberNumber));
        return true;
    }
    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id == res::kButtonRenumber) {
            s_prompts.new_number = forms::read_point_number(hwnd(), res::kEditRenumberNumber, res::kReadRenumberNumber);
            s_prompts.renumber = true;
        } else if (id != res::kButtonRenumberSkip) {
            return false;
        }
        end(id);
        return true;
    }
};

}  // namespace

void set_overwrite_prompt_text(std::u16string_view text)
{
    s_prompts.overwrite_text = text;
}
const std::u16string& overwrite_prompt_text()
{
    return s_prompts.overwrite_text;
}

int run_overwrite_prompt(ui::Hwnd owner)
{
    return YesNoPrompt(kOverwritePrompt, s_prompts.overwrite, &s_prompts.overwrite_text).run(owner);
}

bool overwrite_confirmed()
{
    return s_prompts.overwrite;
}

int run_delete_prompt(ui::Hwnd owner)
{
    return YesNoPrompt(kDeletePrompt, s_prompts.remove, nullptr).run(owner);
}

bool delete_confirmed()
{
    return s_prompts.remove;
}

void set_renumber_prompt_text(std::u16string_view text)
{
    s_prompts.renumber_text = text;
}
const std::u16string& renumber_prompt_text()
{
    return s_prompts.renumber_text;
}

int run_renumber_prompt(ui::Hwnd owner)
{
    return RenumberPrompt().run(owner);
}

bool renumber_chosen()
{
    return s_prompts.renumber;
}
uint32_t renumber_new_number()
{
    return s_prompts.new_number;
}

bool ask_overwrite(ui::Hwnd owner, std::u16string_view text)
{
    set_overwrite_prompt_text(text);
    run_overwrite_prompt(owner);
    return overwrite_confirmed();
}

bool ask_delete(ui::Hwnd owner)
{
    run_delete_prompt(owner);
    return delete_confirmed();
}

std::optional<uint32_t> ask_renumber(ui::Hwnd owner, std::u16string_view text)
{
    set_renumber_prompt_text(text);
    run_renumber_prompt(owner);
    if (!renumber_chosen())
        return std::nullopt;
    return renumber_new_number();
}

void point_prompts_reset_for_tests()
{
    s_prompts = PromptState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, point_prompts_reset_for_tests);

}  // namespace store
