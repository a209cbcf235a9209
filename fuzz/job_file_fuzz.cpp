// A job file of any bytes, opened as a map check job and as an area job. A refused file leaves the job as
// it was; a read one holds at most 250 slots of the type's size, saves and reads back to the same job,
// and computes either nothing or finite numbers whose result lines show no NaN or infinity.

#include <cmath>

#include "calc/area.h"
#include "calc/area_job.h"
#include "calc/figure_plot.h"
#include "calc/job_file.h"
#include "calc/mapcheck.h"
#include "calc/mapcheck_job.h"
#include "calc/mapcheck_results.h"
#include "fuzz/fuzz_support.h"

namespace {

const std::u16string kInput = u"\\My Documents\\Input.job";
const std::u16string kSaved = u"\\My Documents\\Saved.job";

bool shows_no_number_fault(const std::vector<std::u16string>& lines)
{
    for (const std::u16string& line : lines) {
        if (line.find(u"nan") != std::u16string::npos || line.find(u"inf") != std::u16string::npos)
            return false;
    }
    return true;
}

bool finite_plot(const calc::FigurePlot& plot)
{
    for (const calc::PlotArc& arc : plot.arcs) {
        if (!std::isfinite(arc.radius) || !std::isfinite(arc.start.e) || !std::isfinite(arc.end.n))
            return false;
    }
    return std::isfinite(plot.extents.min_first) && std::isfinite(plot.extents.max_second);
}

// Reads the input as `type`; when it is one, saves what was read and reads that back.
template <class Job>
void round_trip(const calc::JobType& type, calc::JobImage (*image_of)(const Job&), Job (*job_of)(const calc::JobImage&),
    void (*check)(const Job&))
{
    calc::JobImage kept;
    kept.settings = {9, 9, 9};
    calc::JobImage image = kept;
    if (calc::read_job(type, kInput, &image) != calc::JobRead::Read) {
        FUZZ_CHECK(image.settings == kept.settings && image.slots.empty());
        return;
    }
    FUZZ_CHECK(image.settings.size() == type.settings_size);
    FUZZ_CHECK(image.slots.size() <= size_t(calc::kJobSlots));
    for (const std::vector<uint8_t>& slot : image.slots)
        FUZZ_CHECK(slot.size() == type.record_size);
    const Job job = job_of(image);
    check(job);
    const calc::JobImage written = image_of(job);
    fuzz::write_device_file(kSaved, nullptr, 0);
    FUZZ_CHECK(calc::create_empty_job_file(kSaved));
    FUZZ_CHECK(calc::write_job(type, kSaved, written) == calc::JobWrite::Written);
    calc::JobImage again;
    FUZZ_CHECK(calc::read_job(type, kSaved, &again) == calc::JobRead::Read);
    const calc::JobImage rewritten = image_of(job_of(again));
    FUZZ_CHECK(rewritten.settings == written.settings && rewritten.slots == written.slots);
}

void check_map_check(const calc::MapCheckJob& job)
{
    const calc::MapCheckOutcome outcome = calc::compute_map_check(job);
    if (!outcome.result) {
        FUZZ_CHECK(!outcome.refusal.empty());
        return;
    }
    FUZZ_CHECK(std::isfinite(outcome.result->area) && outcome.result->area >= 0);
    FUZZ_CHECK(shows_no_number_fault(calc::map_check_result_lines(*outcome.result)));
    FUZZ_CHECK(finite_plot(calc::map_check_plot(*outcome.result)));
}

// Every point is stored, somewhere its number decides; point 13 is missing.
void check_area(const calc::AreaJob& job)
{
    const calc::AreaOutcome outcome = calc::compute_area(job, [](uint32_t n) -> std::optional<formats::Position> {
        if (n == 13)
            return std::nullopt;
        return formats::Position {double(n % 97), double(n % 89)};
    });
    if (!outcome.result) {
        FUZZ_CHECK(!outcome.refusal.empty());
        return;
    }
    FUZZ_CHECK(std::isfinite(outcome.result->area));
    FUZZ_CHECK(finite_plot(calc::area_plot(*outcome.result)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::prepare_device();
    fuzz::write_device_file(kInput, data, size);
    round_trip<calc::MapCheckJob>(
        calc::kMapCheckJob, calc::map_check_image, calc::map_check_from_image, check_map_check);
    round_trip<calc::AreaJob>(calc::kAreaJob, calc::area_image, calc::area_from_image, check_area);
    return 0;
}
