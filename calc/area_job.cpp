#include "calc/area_job.h"

#include "calc/job_bytes.h"

namespace calc {

const JobType kAreaJob {.type = u"AREA",
    .settings_size = kAreaSettingsSize,
    .record_size = kAreaRecordSize,
    .save_title = u"Save Area",
    .wrong_type_text = u"Not a Area file.",
    .forget_path_on_exit = true};

namespace {

constexpr size_t kText = 40;

}  // namespace

JobImage area_image(const AreaJob& job)
{
    JobImage image;
    image.settings.resize(kAreaSettingsSize);
    MutableBytes s(image.settings);
    put_text(s, 0, kText, u"");
    put_text(s, 40, kText, job.settings.projection_text);
    put_text(s, 80, kText, job.settings.units_text);
    put_i32(s, 120, job.settings.reserved_1);
    put_i32(s, 124, job.settings.reserved_2);
    put_f64(s, 128, job.settings.projection);
    put_f64(s, 136, job.settings.units);
    std::vector<bool> in_use;
    for (const AreaEntry& e : job.entries)
        in_use.push_back(e.used());
    const int count = job_slot_count(in_use);
    for (int i = 0; i < count; ++i) {
        const AreaEntry& e = job.entries[size_t(i)];
        std::vector<uint8_t> slot(kAreaRecordSize);
        put_i32(slot, 0, e.in_use);
        put_u32(slot, 4, e.number);
        put_i32(slot, 8, e.type);
        image.slots.push_back(std::move(slot));
    }
    return image;
}

AreaJob area_from_image(const JobImage& image)
{
    AreaJob job;
    const Bytes s(image.settings);
    job.settings.reserved_text = get_text(s, 0, kText);
    job.settings.projection_text = get_text(s, 40, kText);
    job.settings.units_text = get_text(s, 80, kText);
    job.settings.reserved_1 = get_i32(s, 120);
    job.settings.reserved_2 = get_i32(s, 124);
    job.settings.projection = get_f64(s, 128);
    job.settings.units = get_f64(s, 136);
    for (size_t i = 0; i < image.slots.size() && i < job.entries.size(); ++i) {
        const Bytes b(image.slots[i]);
        job.entries[i] = AreaEntry {get_i32(b, 0), get_u32(b, 4), get_i32(b, 8)};
    }
    return job;
}

}  // namespace calc
