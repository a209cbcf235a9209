#include "calc/traverse_job.h"

#include "calc/job_bytes.h"

namespace calc {

const JobType kTraverseJob {.type = u"TRAV",
    .settings_size = kTraverseSettingsSize,
    .record_size = kTraverseRecordSize,
    .save_title = u"Save Traverse",
    .wrong_type_text = u"Not a Traverse file.",
    .forget_path_on_reset = true,
    .forget_path_on_exit = true};

namespace {

constexpr size_t kText = 40;
constexpr size_t kDate = 32;
constexpr size_t kNote = 80;

std::vector<uint8_t> encode_settings(const TraverseSettings& s)
{
    std::vector<uint8_t> b(kTraverseSettingsSize);
    put_text(b, 0, kText, s.surveyor);
    put_text(b, 40, kDate, s.date);
    put_text(b, 72, kText, s.field_book);
    put_text(b, 112, kText, s.pages);
    put_text(b, 152, kText, s.instrument);
    put_text(b, 192, kText, s.distance_factor_text);
    put_text(b, 232, kText, s.distance_correction_text);
    put_text(b, 272, kText, s.vc_correction_text);
    put_text(b, 312, kText, s.projection_factor_text);
    put_text(b, 352, kText, s.units_factor_text);
    put_f64(b, 392, s.distance_factor);
    put_f64(b, 400, s.distance_correction);
    put_f64(b, 408, s.vc_correction);
    put_f64(b, 416, s.projection_factor);
    put_f64(b, 424, s.units_factor);
    return b;
}

TraverseSettings decode_settings(Bytes b)
{
    TraverseSettings s;
    s.surveyor = get_text(b, 0, kText);
    s.date = get_text(b, 40, kDate);
    s.field_book = get_text(b, 72, kText);
    s.pages = get_text(b, 112, kText);
    s.instrument = get_text(b, 152, kText);
    s.distance_factor_text = get_text(b, 192, kText);
    s.distance_correction_text = get_text(b, 232, kText);
    s.vc_correction_text = get_text(b, 272, kText);
    s.projection_factor_text = get_text(b, 312, kText);
    s.units_factor_text = get_text(b, 352, kText);
    s.distance_factor = get_f64(b, 392);
    s.distance_correction = get_f64(b, 400);
    s.vc_correction = get_f64(b, 408);
    s.projection_factor = get_f64(b, 416);
    s.units_factor = get_f64(b, 424);
    return s;
}

std::vector<uint8_t> encode_record(const TraverseRecord& r)
{
    std::vector<uint8_t> b(kTraverseRecordSize);
    put_i32(b, 0, r.kind);
    if (r.is_setup()) {
        put_u32(b, 8, r.at);
        put_i32(b, 12, r.reference_kind);
        if (r.reference_kind == kReferencePoint)
            put_u32(b, 16, r.reference_point);
        else if (r.reference_kind == kReferenceAzimuth)
            put_text(b, 16, kText, r.reference_azimuth);
        put_f64(b, 56, r.hi);
        put_text(b, 64, kText, r.backsight);
    } else if (r.is_observation()) {
        put_u32(b, 8, r.to);
        put_text(b, 12, kText, r.code);
        put_text(b, 52, kNote, r.note);
        put_text(b, 132, kText, r.hcr);
        put_text(b, 172, kText, r.vcr);
        put_f64(b, 216, r.slope);
        put_f64(b, 224, r.hs);
        put_i32(b, 232, r.side_shot);
    }
    return b;
}

TraverseRecord decode_record(Bytes b)
{
    TraverseRecord r;
    r.kind = get_i32(b, 0);
    if (r.is_setup()) {
        r.at = get_u32(b, 8);
        r.reference_kind = get_i32(b, 12);
        if (r.reference_kind == kReferencePoint)
            r.reference_point = get_u32(b, 16);
        else if (r.reference_kind == kReferenceAzimuth)
            r.reference_azimuth = get_text(b, 16, kText);
        r.hi = get_f64(b, 56);
        r.backsight = get_text(b, 64, kText);
    } else if (r.is_observation()) {
        r.to = get_u32(b, 8);
        r.code = get_text(b, 12, kText);
        r.note = get_text(b, 52, kNote);
        r.hcr = get_text(b, 132, kText);
        r.vcr = get_text(b, 172, kText);
        r.slope = get_f64(b, 216);
        r.hs = get_f64(b, 224);
        r.side_shot = get_i32(b, 232);
    }
    return r;
}

}  // namespace

JobImage traverse_image(const TraverseJob& job)
{
    JobImage image;
    image.settings = encode_settings(job.settings);
    std::vector<bool> in_use;
    for (const TraverseRecord& r : job.records)
        in_use.push_back(r.used());
    const int count = job_slot_count(in_use);
    for (int i = 0; i < count; ++i)
        image.slots.push_back(encode_record(job.records[size_t(i)]));
    return image;
}

TraverseJob traverse_from_image(const JobImage& image)
{
    TraverseJob job;
    job.settings = decode_settings(image.settings);
    for (size_t i = 0; i < image.slots.size() && i < job.records.size(); ++i)
        job.records[i] = decode_record(image.slots[i]);
    return job;
}

}  // namespace calc
