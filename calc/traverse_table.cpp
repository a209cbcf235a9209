#include "calc/traverse_table.h"

#include "calc/slot_table.h"

namespace calc {

namespace {

const TraverseRecord* selected_record(const TraverseJob& job, int selected)
{
    if (selected < 0 || selected >= kJobSlots || !job.records[size_t(selected)].used())
        return nullptr;
    return &job.records[size_t(selected)];
}

}  // namespace

SetupProposal propose_setup(const TraverseJob& job, int selected)
{
    SetupProposal p;
    const TraverseRecord* r = selected_record(job, selected);
    if (r && r->is_observation())
        p.at = r->to;
    for (int i = selected; i >= 0 && job.records[size_t(i)].used(); --i) {
        if (job.records[size_t(i)].is_setup()) {
            p.reference = job.records[size_t(i)].at;
            break;
        }
    }
    return p;
}

ObservationProposal propose_observation(const TraverseJob& job, int selected)
{
    ObservationProposal p;
    const TraverseRecord* r = selected_record(job, selected);
    if (!r)
        return p;
    p.to = (r->is_setup() ? r->at : r->to) + 1;
    if (r->is_observation()) {
        p.hs_known = true;
        p.hs = r->hs;
    }
    return p;
}

size_t traverse_insert_position(const TraverseJob& job, int selected, bool insert_before)
{
    if (selected < 0)
        return size_t(last_used_slot(job.records) + 1);
    return insert_before ? size_t(selected) : size_t(selected) + 1;
}

}  // namespace calc
