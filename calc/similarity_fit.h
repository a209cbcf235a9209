#pragma once
// The control pairs and the least-squares similarity fitted to them: one rotation, one scale and two shifts
// that carry the source point of every pair onto its target, with the residual of each pair.
//
// The sums are formed on coordinates reduced to the centroids of the source and of the target points, so a
// few metres of control at grid magnitudes (N 4 600 000) keep every digit; the result is the same as the
// sums on raw coordinates would give in exact arithmetic.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "calc/point_lookup.h"
#include "calc/transform_parameters.h"

namespace calc {

struct ControlPair {
    bool in_use = false;
    uint32_t source = 0;
    double source_n = kUnset, source_e = kUnset;
    uint32_t target = 0;
    double target_n = kUnset, target_e = kUnset;
    double resid_n = kUnset, resid_e = kUnset;
};

constexpr int kControlPairSlots = 50;

// The 50 slots, in use from the top without gaps.
class ControlPairs {
public:
    int count() const;
    const ControlPair& at(int slot) const { return m_slots[size_t(slot)]; }
    // Puts the pair right after `slot` (at the top for -1), moving later pairs down; its residuals unset.
    // False, nothing changed, when the table is full.
    bool insert_after(int slot, uint32_t source, uint32_t target);
    // Replaces the pair at `slot` (residuals unset). False for a slot not in use.
    bool replace(int slot, uint32_t source, uint32_t target);
    // Removes the pair at `slot`; later pairs move up.
    void remove(int slot);
    void clear();

    ControlPair& slot(int i) { return m_slots[size_t(i)]; }

private:
    std::array<ControlPair, kControlPairSlots> m_slots {};
};

// The pairs of the run (the table is not saved in any file).
ControlPairs& control_pairs();

struct FitOutcome {
    bool fitted = false;
    double rms = kUnset;     // sqrt(sum(rE^2 + rN^2) / n) when fitted
    std::u16string refusal;  // why there is no fit (empty when there were no pairs at all)
};

// Reads every pair's points, fits the similarity and writes the residuals into the pairs and the
// parameters into `out` (About point 0, 0; one scale for N and E; El scale 1 and shift 0; the four point
// numbers kept). Refused, with every residual unset and `out` unchanged: no pair (no message), a pair
// whose point is missing (named), fewer than two pairs at distinct source positions, control spread over
// less than a tenth of a millimetre, and a scale that is 0 or not finite.
FitOutcome fit_similarity(ControlPairs& pairs, TransformParameters* out, const PointLookup& lookup = stored_points());

}  // namespace calc
