#pragma once
// What the export and import forms share: the seven field position boxes, the file button and name, and
// the Configuration menu (Load, Save, Save As) over an "IMP/EXP" job file.
//
//   Load     asks for a path and reads the configuration whole; a file that does not open gives "Error
//            opening file:" with the path, and it or a file of another type "Error" with the form's
//            wrong-type text: the configuration then stays as it was.
//   Save     writes to the configuration path, asking for one only when there is none; Save As always
//            asks. A file that is not there is created. A configuration whose exchange path is longer than
//            the file's field is refused with a message: its path is never cut. A failure shows "Error
//            opening file:" with the path.

#include <string>

#include "calc/job_file.h"
#include "exchange/exchange_config.h"
#include "exchange/point_lines.h"
#include "forms/form.h"

namespace exchange {

namespace ui = platform::ui;

class ExchangeForm : public forms::Form {
public:
    ExchangeForm(const forms::Declaration& declaration, const calc::JobType& job)
        : Form(declaration)
        , m_job(job)
    {
    }

protected:
    // The configuration shown in the form, and the form read into it.
    virtual void show_config(const ExchangeConfig& config);
    virtual void read_config(ExchangeConfig* config);
    void show_layout(const Layout& layout);

    bool on_open() override;
    // The file button and the Configuration menu; false for other commands.
    bool on_action(int id, int code, ui::Hwnd control) override;

private:
    void load();
    void save(bool ask);
    bool write_to(const std::u16string& path);

    const calc::JobType& m_job;
};

// The box "Error opening file:" with the path.
void error_opening(ui::Hwnd owner, const std::u16string& path);

}  // namespace exchange
