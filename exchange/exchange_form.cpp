#include "exchange/exchange_form.h"

#include "calc/job_menu.h"
#include "forms/fields.h"
#include "formats/text_helpers.h"
#include "platform/controls/controls.h"
#include "platform/files/files.h"
#include "resources/exchange_resources.h"

namespace exchange {

namespace controls = platform::controls;
namespace res = resources;

void error_opening(ui::Hwnd owner, const std::u16string& path)
{
    controls::message_box(owner, u"Error opening file:", path);
}

bool ExchangeForm::on_open()
{
    for (int k = 0; k < kPositions; ++k) {
        const ui::Hwnd box = item(res::kComboExchangeField1 + k);
        for (int kind = 0; kind < kFieldKinds; ++kind)
            controls::combo_add(box, field_kind_name(kind));
    }
    show_config(exchange_config());
    return true;
}

void ExchangeForm::show_layout(const Layout& layout)
{
    for (int k = 0; k < kPositions; ++k)
        controls::combo_set_selection(item(res::kComboExchangeField1 + k), layout[size_t(k)]);
}

void ExchangeForm::show_config(const ExchangeConfig& config)
{
    show_layout(config.kinds);
    forms::show_text(hwnd(), res::kEditExchangeFile, config.path);
}

void ExchangeForm::read_config(ExchangeConfig* config)
{
    for (int k = 0; k < kPositions; ++k) {
        const int kind = controls::combo_selection(item(res::kComboExchangeField1 + k));
        config->kinds[size_t(k)] = kind >= 0 && kind < kFieldKinds ? kind : kFieldNone;
    }
    config->path = formats::trim_trailing_white_space(forms::read_text(hwnd(), res::kEditExchangeFile));
}

bool ExchangeForm::on_action(int id, int code, ui::Hwnd)
{
    switch (id) {
    case res::kButtonExchangeFile:
        if (code == ui::kBnClicked) {
            const std::u16string path = calc::choose_job_path(hwnd());
            if (!path.empty())
                forms::show_text(hwnd(), res::kEditExchangeFile, path);
        }
        return true;
    case res::kCmdExchangeLoad:
        load();
        return true;
    case res::kCmdExchangeSave:
        save(false);
        return true;
    case res::kCmdExchangeSaveAs:
        save(true);
        return true;
    default:
        return false;
    }
}

void ExchangeForm::load()
{
    const std::u16string path = calc::choose_job_path(hwnd());
    if (path.empty())
        return;
    calc::JobImage image;
    const calc::JobRead read = calc::read_job(m_job, path, &image);
    if (read != calc::JobRead::Read) {
        if (read == calc::JobRead::NoFile)
            error_opening(hwnd(), path);
        controls::message_box(hwnd(), u"Error", std::u16string(m_job.wrong_type_text));
        return;
    }
    exchange_config() = exchange_from_image(image);
    calc::job_path(m_job) = path;
    show_config(exchange_config());
}

bool ExchangeForm::write_to(const std::u16string& path)
{
    const calc::JobImage image = exchange_image(exchange_config());
    calc::JobWrite written = calc::write_job(m_job, path, image);
    if (written == calc::JobWrite::NoFile && platform::files::attributes(path) == platform::files::kInvalidAttributes
        && calc::create_empty_job_file(path))
        written = calc::write_job(m_job, path, image);
    if (written == calc::JobWrite::Written)
        return true;
    if (written == calc::JobWrite::OtherContent)
        controls::message_box(hwnd(), u"Error", std::u16string(m_job.wrong_type_text) + u" It was not overwritten.");
    else
        error_opening(hwnd(), path);
    return false;
}

void ExchangeForm::save(bool ask)
{
    read_config(&exchange_config());
    if (!path_fits(exchange_config())) {
        controls::message_box(hwnd(), u"Error",
            u"The file name is longer than 39 characters, more than a configuration file holds. The "
            u"configuration was not saved.");
        return;
    }
    std::u16string path = calc::job_path(m_job);
    if (ask || path.empty()) {
        path = calc::choose_job_path(hwnd());
        if (path.empty())
            return;
    }
    if (write_to(path))
        calc::job_path(m_job) = path;
}

}  // namespace exchange
