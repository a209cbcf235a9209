#include "store/point_prompts.h"

#include "platform/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "platform/reset/reset.h"
#include "resources/point_dialog_resources.h"
#include "store/decimal_text.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
namespace controls = platform::controls;

constexpr const char16_t* kInitialPromptText = u"Point exists. Overwrite?";

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

// A pop-up draws its own caption bar and frame, as the message box does.
class PromptProc : public ui::DialogProc {
public:
    explicit PromptProc(bool& answer) : m_answer(answer) {}

    bool on_init() override
    {
        m_answer = false;
        return true;
    }
    bool on_close() override
    {
        m_answer = false;
        ui::end_dialog(hwnd(), ui::kIdOk);
        return true;
    }
    bool on_paint() override
    {
        auto dc = ui::get_dc(hwnd());
        if (!dc)
            return false;
        controls::paint_popup_frame(hwnd(), *dc);
        ui::release_dc(hwnd(), std::move(dc));
        return true;
    }

protected:
    void answer(bool yes, int result)
    {
        m_answer = yes;
        ui::end_dialog(hwnd(), result);
    }
    bool& m_answer;
};

// OVERWRITE_PT and DELETE_PT: OK is yes, Cancel is no.
class YesNoPrompt : public PromptProc {
public:
    YesNoPrompt(bool& answer, const std::u16string* text) : PromptProc(answer), m_text(text) {}

    bool on_init() override
    {
        if (m_text != nullptr)
            ui::set_item_text(hwnd(), resources::kStaticOverwriteText, *m_text);
        return PromptProc::on_init();
    }
    bool on_command(int id, int code, ui::Hwnd control) override
    {
        if (id != ui::kIdOk && id != ui::kIdCancel)
            return false;
        answer(id == ui::kIdOk, id);
        return true;
    }

private:
    const std::u16string* m_text;
};

class RenumberPrompt : public PromptProc {
public:
    RenumberPrompt() : PromptProc(s_prompts.renumber) {}

    bool on_init() override
    {
        ui::set_item_text(hwnd(), resources::kStaticRenumberText, s_prompts.renumber_text);
        ui::set_item_text(hwnd(), resources::kEditRenumberNumber, u"");
        ui::set_focus(item(resources::kEditRenumberNumber));
        return PromptProc::on_init();
    }
    bool on_command(int id, int code, ui::Hwnd control) override
    {
        switch (id) {
        case resources::kButtonRenumber:
            s_prompts.new_number = read_point_number(
                ui::item_text(hwnd(), resources::kEditRenumberNumber, resources::kReadRenumberNumber));
            answer(true, id);
            return true;
        case resources::kButtonRenumberSkip:
        case ui::kIdCancel:
            answer(false, id);
            return true;
        default: return false;
        }
    }
};

}  // namespace

void set_overwrite_prompt_text(std::u16string_view text) { s_prompts.overwrite_text = text; }
const std::u16string& overwrite_prompt_text() { return s_prompts.overwrite_text; }

int run_overwrite_prompt(ui::Hwnd owner)
{
    s_prompts.overwrite = false;
    YesNoPrompt proc(s_prompts.overwrite, &s_prompts.overwrite_text);
    return ui::run_dialog(resources::kDialogOverwritePoint, owner, proc);
}

bool overwrite_confirmed() { return s_prompts.overwrite; }

int run_delete_prompt(ui::Hwnd owner)
{
    s_prompts.remove = false;
    YesNoPrompt proc(s_prompts.remove, nullptr);
    return ui::run_dialog(resources::kDialogDeletePoint, owner, proc);
}

bool delete_confirmed() { return s_prompts.remove; }

void set_renumber_prompt_text(std::u16string_view text) { s_prompts.renumber_text = text; }
const std::u16string& renumber_prompt_text() { return s_prompts.renumber_text; }

int run_renumber_prompt(ui::Hwnd owner)
{
    s_prompts.renumber = false;
    RenumberPrompt proc;
    return ui::run_dialog(resources::kDialogRenumberPoint, owner, proc);
}

bool renumber_chosen() { return s_prompts.renumber; }
uint32_t renumber_new_number() { return s_prompts.new_number; }

void point_prompts_reset_for_tests() { s_prompts = PromptState{}; }

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered =
    platform::register_reset(platform::ResetStage::Program, point_prompts_reset_for_tests);

}  // namespace

}  // namespace store
