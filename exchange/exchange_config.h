#pragma once
// The exchange configuration shared by the export and import dialogs: which point field stands at each of
// seven positions of a line, the export range, decimals and options, the policy for numbers that exist, and
// the exchange file's path. It lives for the whole run and is saved as a job file of type "IMP/EXP", whose
// 132-byte body is:
//
//   offset  0  28  field kind of positions 1 to 7 (seven 32-bit indexes, kinds below)
//   offset 28   4  export From Pt          offset 32  4  export To Pt
//   offset 36   4  decimals (0 to 10)      offset 40  4  replace policy (0 to 3)
//   offset 44   4  Heading flag            offset 48  4  Append flag
//   offset 52  80  exchange file path (UTF-16, up to 39 characters and the NUL)

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/job_file.h"

namespace exchange {

// Field kinds, in the order the combo boxes list them.
enum FieldKind : int {
    kFieldNone = 0,
    kFieldNumber = 1,
    kFieldName = 2,
    kFieldNorthing = 3,
    kFieldEasting = 4,
    kFieldElevation = 5,
    kFieldNote = 6,
    kFieldCode = 7,
};
constexpr int kFieldKinds = 8;
constexpr int kPositions = 7;
// " ", "Number", "Name", "Northing", "Easting", "Elevation", "Note", "Code"; " " for a kind out of range.
std::u16string_view field_kind_name(int kind);

// Replace policies for a point number that is in the coordinate file already.
enum ReplacePolicy : int {
    kAlwaysReplace = 0,
    kNeverReplace = 1,
    kAskBeforeReplace = 2,
    kRenumber = 3,
};
constexpr int kPolicies = 4;
std::u16string_view policy_name(int policy);  // "Always replace" ...

constexpr int kMaxDecimals = 10;
constexpr size_t kPathChars = 39;  // what the job file's path field holds

struct ExchangeConfig {
    std::array<int, kPositions> kinds
        = {kFieldNumber, kFieldName, kFieldNorthing, kFieldEasting, kFieldElevation, kFieldNote, kFieldCode};
    uint32_t from = 1;
    uint32_t to = 999999;
    int decimals = 4;
    int policy = kAlwaysReplace;
    bool heading = false;
    bool append = false;
    std::u16string path;  // kept whole in memory, whatever the job file holds

    bool operator==(const ExchangeConfig&) const = default;
};

// The configuration of this run, shared by both dialogs.
ExchangeConfig& exchange_config();

// The job types of the configuration file: one type text, so one configuration path, with the wrong-type
// text of each dialog.
extern const calc::JobType kExportJob;
extern const calc::JobType kImportJob;
constexpr uint32_t kExchangeConfigSize = 132;

// Whether the configuration's exchange path fits the job file's field.
bool path_fits(const ExchangeConfig& config);
// The body of the configuration file. REQUIRES: path_fits(config).
calc::JobImage exchange_image(const ExchangeConfig& config);
// A configuration from a body read by read_job; a kind out of range reads as " ", decimals above 10 as 10,
// a policy out of range as "Always replace".
ExchangeConfig exchange_from_image(const calc::JobImage& image);

}  // namespace exchange
