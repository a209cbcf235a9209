#pragma once
// How often a run's progress bar steps: the bar runs from 0 to 100 in steps of 5, so once every
// twentieth of the work. Never every 0 items, whatever the count, and never a count that wrapped.

#include <cstdint>

namespace exchange {

// Import: every (lines - 1) / 20 lines, at least 1.
int64_t import_step(int64_t lines);
// Export: every (To - From) / 20 points, at most (points in the file) / 20, at least 1; From above To
// counts as no range.
int64_t export_step(uint32_t from, uint32_t to, int64_t points_in_file);

// Counts items and says how many steps of the bar they made.
class ProgressSteps {
public:
    explicit ProgressSteps(int64_t step)
        : m_step(step < 1 ? 1 : step)
    {
    }
    // The bar's steps that `items` more items make.
    int add(int64_t items)
    {
        m_since += items;
        const int64_t steps = m_since / m_step;
        m_since %= m_step;
        return int(steps);
    }

private:
    int64_t m_step;
    int64_t m_since = 0;
};

}  // namespace exchange
