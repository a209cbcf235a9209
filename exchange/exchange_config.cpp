#include "exchange/exchange_config.h"

#include <algorithm>

#include "calc/job_bytes.h"
#include "platform/reset/reset.h"

namespace exchange {

namespace {

constexpr std::u16string_view kKindNames[kFieldKinds]
    = {u" ", u"Number", u"Name", u"Northing", u"Easting", u"Elevation", u"Note", u"Code"};
constexpr std::u16string_view kPolicyNames[kPolicies]
    = {u"Always replace", u"Never replace", u"Ask before replace", u"Renumber"};

constexpr size_t kFrom = 28, kTo = 32, kDecimals = 36, kPolicy = 40, kHeading = 44, kAppend = 48, kPath = 52;
constexpr size_t kPathBytes = 80;

ExchangeConfig s_config;

}  // namespace

std::u16string_view field_kind_name(int kind)
{
    return kind >= 0 && kind < kFieldKinds ? kKindNames[kind] : kKindNames[0];
}

std::u16string_view policy_name(int policy)
{
    return policy >= 0 && policy < kPolicies ? kPolicyNames[policy] : kPolicyNames[0];
}

ExchangeConfig& exchange_config()
{
    return s_config;
}

const calc::JobType kExportJob {.type = u"IMP/EXP",
    .settings_size = kExchangeConfigSize,
    .save_title = u"Error opening file:",
    .wrong_type_text = u"Not a Export file."};
const calc::JobType kImportJob {.type = u"IMP/EXP",
    .settings_size = kExchangeConfigSize,
    .save_title = u"Error opening file:",
    .wrong_type_text = u"Not an Import file."};

bool path_fits(const ExchangeConfig& config)
{
    return config.path.size() <= kPathChars && config.path.find(u'\0') == std::u16string::npos;
}

calc::JobImage exchange_image(const ExchangeConfig& c)
{
    calc::JobImage image;
    image.settings.assign(kExchangeConfigSize, 0);
    calc::MutableBytes b(image.settings);
    for (int k = 0; k < kPositions; ++k)
        calc::put_u32(b, size_t(4 * k), uint32_t(c.kinds[size_t(k)]));
    calc::put_u32(b, kFrom, c.from);
    calc::put_u32(b, kTo, c.to);
    calc::put_u32(b, kDecimals, uint32_t(c.decimals));
    calc::put_u32(b, kPolicy, uint32_t(c.policy));
    calc::put_u32(b, kHeading, c.heading ? 1 : 0);
    calc::put_u32(b, kAppend, c.append ? 1 : 0);
    calc::put_text(b, kPath, kPathBytes, c.path);
    return image;
}

ExchangeConfig exchange_from_image(const calc::JobImage& image)
{
    ExchangeConfig c;
    calc::Bytes b(image.settings);
    for (int k = 0; k < kPositions; ++k) {
        const uint32_t kind = calc::get_u32(b, size_t(4 * k));
        c.kinds[size_t(k)] = kind < uint32_t(kFieldKinds) ? int(kind) : kFieldNone;
    }
    c.from = calc::get_u32(b, kFrom);
    c.to = calc::get_u32(b, kTo);
    c.decimals = int(std::min<uint32_t>(calc::get_u32(b, kDecimals), kMaxDecimals));
    const uint32_t policy = calc::get_u32(b, kPolicy);
    c.policy = policy < uint32_t(kPolicies) ? int(policy) : kAlwaysReplace;
    c.heading = calc::get_u32(b, kHeading) != 0;
    c.append = calc::get_u32(b, kAppend) != 0;
    c.path = calc::get_text(b, kPath, kPathBytes);
    return c;
}

[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_config = ExchangeConfig {}; });

}  // namespace exchange
