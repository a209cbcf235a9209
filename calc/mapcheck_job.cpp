#include "calc/mapcheck_job.h"

#include "calc/job_bytes.h"

namespace calc {

const JobType kMapCheckJob {.type = u"MAPCHK",
    .settings_size = kMapCheckSettingsSize,
    .record_size = kMapCheckRecordSize,
    .save_title = u"Save Mapcheck",
    .wrong_type_text = u"Not a Mapcheck file."};

namespace {

constexpr size_t kText = 40;

std::vector<uint8_t> encode_settings(const MapCheckSettings& s)
{
    std::vector<uint8_t> b(kMapCheckSettingsSize);
    put_text(b, 0, kText, s.reserved_text);
    put_text(b, 40, kText, s.reserved_factor_1);
    put_text(b, 80, kText, s.reserved_factor_2);
    put_text(b, 120, kText, s.start_n_text);
    put_text(b, 160, kText, s.start_e_text);
    put_f64(b, 200, s.reserved_value);
    put_f64(b, 208, s.reserved_factor_value_1);
    put_f64(b, 216, s.reserved_factor_value_2);
    put_f64(b, 224, s.start_n);
    put_f64(b, 232, s.start_e);
    return b;
}

MapCheckSettings decode_settings(Bytes b)
{
    MapCheckSettings s;
    s.reserved_text = get_text(b, 0, kText);
    s.reserved_factor_1 = get_text(b, 40, kText);
    s.reserved_factor_2 = get_text(b, 80, kText);
    s.start_n_text = get_text(b, 120, kText);
    s.start_e_text = get_text(b, 160, kText);
    s.reserved_value = get_f64(b, 200);
    s.reserved_factor_value_1 = get_f64(b, 208);
    s.reserved_factor_value_2 = get_f64(b, 216);
    s.start_n = get_f64(b, 224);
    s.start_e = get_f64(b, 232);
    return s;
}

std::vector<uint8_t> encode_entry(const MapCheckEntry& e)
{
    std::vector<uint8_t> b(kMapCheckRecordSize);
    put_i32(b, 0, e.in_use);
    put_u32(b, 4, e.to);
    put_text(b, 8, kText, e.azimuth);
    put_text(b, 48, kText, e.distance);
    put_i32(b, 88, e.type);
    return b;
}

MapCheckEntry decode_entry(Bytes b)
{
    MapCheckEntry e;
    e.in_use = get_i32(b, 0);
    e.to = get_u32(b, 4);
    e.azimuth = get_text(b, 8, kText);
    e.distance = get_text(b, 48, kText);
    e.type = get_i32(b, 88);
    return e;
}

}  // namespace

JobImage map_check_image(const MapCheckJob& job)
{
    JobImage image;
    image.settings = encode_settings(job.settings);
    std::vector<bool> in_use;
    for (const MapCheckEntry& e : job.entries)
        in_use.push_back(e.used());
    const int count = job_slot_count(in_use);
    for (int i = 0; i < count; ++i)
        image.slots.push_back(encode_entry(job.entries[size_t(i)]));
    return image;
}

MapCheckJob map_check_from_image(const JobImage& image)
{
    MapCheckJob job;
    job.settings = decode_settings(image.settings);
    for (size_t i = 0; i < image.slots.size() && i < job.entries.size(); ++i)
        job.entries[i] = decode_entry(image.slots[i]);
    return job;
}

}  // namespace calc
