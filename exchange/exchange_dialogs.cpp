#include "exchange/exchange_dialogs.h"

#include "exchange/exchange_form.h"
#include "exchange/export_run.h"
#include "exchange/import_run.h"
#include "exchange/preview.h"
#include "exchange/progress_steps.h"
#include "exchange/run_progress_dialog.h"
#include "forms/fields.h"
#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "resources/exchange_resources.h"
#include "store/point_prompts.h"

namespace exchange {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

namespace {

constexpr forms::Declaration kExport {.dialog = res::kDialogAsciiExport,
    .menu_bar = res::kMenuBarAsciiExport,
    .menu_error = u"Export",
    .cancel_command = res::kCmdExchangeCancel,
    .cancel_result = 2};
constexpr forms::Declaration kImport {.dialog = res::kDialogAsciiImport,
    .menu_bar = res::kMenuBarAsciiImport,
    .menu_error = u"Import",
    .cancel_command = res::kCmdExchangeCancel,
    .cancel_result = 2};

std::u16string number_text(uint32_t n)
{
    return platform::text::from_ansi(std::to_string(n));
}

class ExportDialog final : public ExchangeForm {
public:
    ExportDialog()
        : ExchangeForm(kExport, kExportJob)
    {
    }

private:
    bool on_open() override
    {
        const ui::Hwnd decimals = item(res::kComboExchangeDecimals);
        for (int d = 0; d <= kMaxDecimals; ++d)
            controls::combo_add(decimals, number_text(uint32_t(d)));
        return ExchangeForm::on_open();
    }

    void show_config(const ExchangeConfig& c) override
    {
        ExchangeForm::show_config(c);
        forms::show_text(hwnd(), res::kEditExchangeFrom, number_text(c.from));
        forms::show_text(hwnd(), res::kEditExchangeTo, number_text(c.to));
        controls::combo_set_selection(item(res::kComboExchangeDecimals), c.decimals);
        controls::button_set_check(item(res::kCheckExchangeHeading), c.heading ? 1 : 0);
        controls::button_set_check(item(res::kCheckExchangeAppend), c.append ? 1 : 0);
    }

    void read_config(ExchangeConfig* c) override
    {
        ExchangeForm::read_config(c);
        c->from = forms::read_point_number(hwnd(), res::kEditExchangeFrom, res::kReadExchangePointNumber);
        c->to = forms::read_point_number(hwnd(), res::kEditExchangeTo, res::kReadExchangePointNumber);
        const int d = controls::combo_selection(item(res::kComboExchangeDecimals));
        c->decimals = d >= 0 && d <= kMaxDecimals ? d : c->decimals;
        c->heading = controls::button_check(item(res::kCheckExchangeHeading)) == 1;
        c->append = controls::button_check(item(res::kCheckExchangeAppend)) == 1;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id != res::kCmdAsciiExportRun)
            return ExchangeForm::on_action(id, code, control);
        read_config(&exchange_config());
        ExportRun run(exchange_config());
        if (!run.open()) {
            error_opening(hwnd(), exchange_config().path);
            return true;
        }
        run_progress_dialog(hwnd(),
            {.text = u"Exporting points ...",
                .step = run.step(),
                .advance = [&](int n) { return run.advance(n); },
                .finished = [&] { return run.finished(); }});
        run.finish();
        controls::message_box(hwnd(), u"Export", describe(run.outcome()));
        end(1);
        return true;
    }
};

class ImportDialog final : public ExchangeForm {
public:
    ImportDialog()
        : ExchangeForm(kImport, kImportJob)
    {
    }

private:
    bool on_open() override
    {
        const ui::Hwnd policy = item(res::kComboExchangePolicy);
        for (int p = 0; p < kPolicies; ++p)
            controls::combo_add(policy, policy_name(p));
        return ExchangeForm::on_open();
    }

    void show_config(const ExchangeConfig& c) override
    {
        ExchangeForm::show_config(c);
        controls::combo_set_selection(item(res::kComboExchangePolicy), c.policy);
    }

    void read_config(ExchangeConfig* c) override
    {
        ExchangeForm::read_config(c);
        const int p = controls::combo_selection(item(res::kComboExchangePolicy));
        c->policy = p >= 0 && p < kPolicies ? p : c->policy;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        if (id == res::kCmdAsciiPreview) {
            preview();
            return true;
        }
        if (id == res::kCmdAsciiImportRun) {
            import();
            return true;
        }
        return ExchangeForm::on_action(id, code, control);
    }

    void preview()
    {
        read_config(&exchange_config());
        const Preview p = preview_file(exchange_config().path, exchange_config().kinds);
        if (p.result == PreviewResult::NoFile)
            error_opening(hwnd(), exchange_config().path);
        if (p.heading) {
            exchange_config().kinds = *p.heading;
            show_layout(*p.heading);
        }
        if (p.result == PreviewResult::Point)
            controls::message_box(hwnd(), u"Import Preview", preview_text(p.point));
        else
            controls::message_box(hwnd(), u"Error", u"Data does not match format.");
    }

    void import()
    {
        read_config(&exchange_config());
        ReplaceQuestions questions {
            .overwrite =
                [](uint32_t n) {
                    return store::ask_overwrite(ui::active_window(), u"Pt#" + number_text(n) + u" exists.  Overwrite?");
                },
            .renumber =
                [](uint32_t n) {
                    return store::ask_renumber(
                        ui::active_window(), u"Pt#" + number_text(n) + u" exists.  Enter new pt#.");
                },
        };
        ImportRun run(exchange_config(), std::move(questions));
        if (!run.open()) {
            error_opening(hwnd(), exchange_config().path);
            return;
        }
        run_progress_dialog(hwnd(),
            {.text = u"Importing points ...",
                .step = import_step(run.total_lines()),
                .advance = [&](int n) { return run.advance(n); },
                .finished = [&] { return run.finished(); }});
        run.finish();
        controls::message_box(hwnd(), u"Import", describe(run.outcome()));
        end(1);
    }
};

}  // namespace

void run_ascii_export(ui::Hwnd owner)
{
    ExportDialog().run(owner);
}

void run_ascii_import(ui::Hwnd owner)
{
    ImportDialog().run(owner);
}

}  // namespace exchange
