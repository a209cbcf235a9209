#pragma once
// Resources of the ASCII exchange: the export form ASCII_EXPORT with its menu bar 180 and the import form
// ASCII_IMPORT with its menu bar 181. Both show the seven field positions; the progress of a run uses
// PT_INDEXING (store_resources.h). Full-screen dialogs lay out within the 240 x 268 work area.

namespace resources {

constexpr const char* kDialogAsciiExport = "ASCII_EXPORT";
constexpr const char* kDialogAsciiImport = "ASCII_IMPORT";
constexpr int kMenuBarAsciiExport = 180;
constexpr int kMenuBarAsciiImport = 181;

constexpr int kCmdExchangeLoad = 40400;
constexpr int kCmdExchangeSave = 40401;
constexpr int kCmdExchangeSaveAs = 40402;
constexpr int kCmdAsciiExportRun = 40403;  // "Export"
constexpr int kCmdAsciiImportRun = 40404;  // "Import"
constexpr int kCmdAsciiPreview = 40405;
constexpr int kCmdExchangeCancel = 40406;

constexpr int kComboExchangeField1 = 2400;  // positions 1 to 7: 2400 to 2406
constexpr int kEditExchangeFrom = 2410;
constexpr int kEditExchangeTo = 2411;
constexpr int kComboExchangeDecimals = 2412;
constexpr int kCheckExchangeHeading = 2413;
constexpr int kCheckExchangeAppend = 2414;
constexpr int kComboExchangePolicy = 2415;
constexpr int kButtonExchangeFile = 2416;  // "Output file" or "Input file"
constexpr int kEditExchangeFile = 2417;

constexpr int kReadExchangePointNumber = 10;

struct TemplateSet;
TemplateSet exchange_templates();
void install_exchange_resources();

}  // namespace resources
