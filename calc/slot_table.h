#pragma once
// The 250-slot tables of the calculations (area figure, map-check legs, traverse records): inserting
// moves the entries after a place down one slot, removing moves them up. Nothing is ever written past the
// last slot and no entry in use is dropped off its end: an insert that would do either is refused.
// Entry is any type with `bool used() const` whose default value is a free slot.

#include <array>
#include <cstddef>

namespace calc {

// Puts `entry` at `at`, the entries from `at` on moving down one slot. False, with the table unchanged,
// when `at` is past the last slot or the last slot is in use.
template <class Entry, size_t N> bool slot_insert(std::array<Entry, N>& table, size_t at, const Entry& entry)
{
    if (at >= N || table[N - 1].used())
        return false;
    for (size_t i = N - 1; i > at; --i)
        table[i] = table[i - 1];
    table[at] = entry;
    return true;
}

// Removes the entry at `at`; the entries after it move up and the last slot becomes free. An index past
// the last slot changes nothing.
template <class Entry, size_t N> void slot_remove(std::array<Entry, N>& table, size_t at)
{
    if (at >= N)
        return;
    for (size_t i = at; i + 1 < N; ++i)
        table[i] = table[i + 1];
    table[N - 1] = Entry {};
}

// Index of the highest slot in use, or -1.
template <class Entry, size_t N> int last_used_slot(const std::array<Entry, N>& table)
{
    for (size_t i = N; i > 0; --i) {
        if (table[i - 1].used())
            return int(i - 1);
    }
    return -1;
}

}  // namespace calc
