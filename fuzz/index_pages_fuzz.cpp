// An index file of any bytes, opened as both kinds of index the program keeps (12-byte keys without
// duplicates, 16-byte keys with them), walked both ways, searched, changed by inserts and deletes, and
// walked again. Nothing may crash or go round in circles; a handle that reports no damage gives its
// entries in index order, and once it reports damage every later call reports it too.

#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "store/index.h"

namespace {

using namespace store;

constexpr const char16_t* kPath = u"\\Temp\\Fuzz.NDX";

struct Kind {
    int key_size;
    bool duplicates;
};
constexpr Kind kKinds[] = {{12, false}, {16, true}};

struct Entry {
    std::string key;
    uint32_t record;
};

// Index order: keys by unsigned bytes, equal keys by descending record.
bool before(const Entry& a, const Entry& b)
{
    int c = std::memcmp(a.key.data(), b.key.data(), a.key.size());
    return c < 0 || (c == 0 && a.record > b.record);
}

// A handle that was found damaged says so from then on.
class Probe {
public:
    Probe(Index* index, size_t file_size)
        : m_index(index)
        , m_key_size(index_key_size(index))
    {
        // Every entry needs 8 + key size bytes of some page; a walk that meets more goes round in circles.
        m_most_entries = 3 * index_capacity(m_key_size) + (file_size / kIndexPageSize + 1) * index_capacity(m_key_size);
    }

    // Checks a result against the ones a call may give, and that damage, once reported, stays.
    int settle(int result, std::initializer_list<int> allowed)
    {
        bool known = result == kIndexDamaged;
        for (int r : allowed)
            known = known || r == result;
        FUZZ_CHECK(known);
        FUZZ_CHECK(!m_damaged || result == kIndexDamaged);
        FUZZ_CHECK((result == kIndexDamaged) == index_damaged(m_index));
        m_damaged = m_damaged || result == kIndexDamaged;
        return result;
    }

    // The entries from one end to the other, in walk order, when the walk ends without damage.
    std::vector<Entry> walk(bool forward)
    {
        std::vector<Entry> seen;
        Entry e {std::string(size_t(m_key_size), '\0'), 0};
        int r = settle(
            forward ? index_first(m_index, e.key.data(), &e.record) : index_last(m_index, e.key.data(), &e.record),
            {kIndexOk, kIndexEnd});
        while (r == kIndexOk) {
            FUZZ_CHECK(seen.size() < m_most_entries);
            FUZZ_CHECK(seen.empty() || (forward ? before(seen.back(), e) : before(e, seen.back())));
            seen.push_back(e);
            r = settle(forward ? index_next(m_index, e.key.data(), &e.record)
                               : index_previous(m_index, e.key.data(), &e.record),
                {kIndexOk, kIndexEnd});
        }
        return seen;
    }

    // Finds an entry with and without its record; an exact hit hands back the key searched for.
    void find(const Entry& wanted)
    {
        for (bool match_record : {true, false}) {
            std::string key = wanted.key;
            uint32_t record = 0;
            int r = settle(index_find(m_index, key.data(), wanted.record, match_record, &record),
                {kIndexOk, match_record ? kIndexNotFound : kIndexNextGreater, kIndexEnd});
            if (r == kIndexOk) {
                FUZZ_CHECK(key == wanted.key);
                FUZZ_CHECK(!match_record || wanted.record == 0 || record == wanted.record);
            }
            if (r == kIndexNextGreater || r == kIndexNotFound)
                FUZZ_CHECK(before(wanted, Entry {key, record}));
            if (r == kIndexOk || r == kIndexNextGreater || r == kIndexNotFound) {
                Entry at {key, record};
                Entry after {std::string(size_t(m_key_size), '\0'), 0};
                if (settle(index_next(m_index, after.key.data(), &after.record), {kIndexOk, kIndexEnd}) == kIndexOk)
                    FUZZ_CHECK(before(at, after));
            }
        }
    }

    void insert(const Entry& e)
    {
        ++m_most_entries;
        settle(index_insert(m_index, e.key.data(), e.record), {kIndexOk, kIndexExists});
    }

    void remove(const Entry& e) { settle(index_delete(m_index, e.key.data(), e.record), {kIndexOk, kIndexNotFound}); }

    int key_size() const { return m_key_size; }

private:
    Index* m_index;
    int m_key_size;
    size_t m_most_entries;
    bool m_damaged = false;
};

// Keys next to the ones present (so the inserts land in the pages the file has) and a few made of the
// input's last bytes.
std::vector<Entry> new_entries(const std::vector<Entry>& present, int key_size, const uint8_t* data, size_t size)
{
    std::vector<Entry> made;
    for (size_t i = 0; i < present.size() && made.size() < 48; i += 1 + present.size() / 48) {
        Entry e = present[i];
        e.key.back() = char(e.key.back() + 1);
        e.record += 7;
        made.push_back(e);
    }
    for (size_t k = 0; k < 16; ++k) {
        Entry e {std::string(size_t(key_size), ' '), uint32_t(k + 1)};
        for (int j = 0; j < key_size; ++j)
            e.key[size_t(j)] = size > 0 ? char(data[(size - 1 - (k * 5 + size_t(j)) % size)]) : char('0' + k);
        made.push_back(e);
    }
    return made;
}

void exercise(const Kind& kind, const uint8_t* data, size_t size)
{
    fuzz::write_device_file(kPath, data, size);
    Index* index = index_open(kPath, kind.key_size, kind.duplicates);
    if (!index)
        return;
    Probe probe(index, size);
    std::vector<Entry> present = probe.walk(true);
    probe.walk(false);
    for (size_t i = 0; i < present.size() && i < 64; i += 1 + present.size() / 16)
        probe.find(present[i]);

    std::vector<Entry> made = new_entries(present, kind.key_size, data, size);
    for (const Entry& e : made)
        probe.insert(e);
    for (const Entry& e : made)
        probe.find(e);
    // Deletes in two passes, every other entry of a spread of at most 800: a small tree empties and its
    // root takes its children back in; a large one merges here and there.
    size_t step = 1 + present.size() / 800;
    for (size_t pass = 0; pass < 2; ++pass) {
        for (size_t i = pass * step; i < present.size(); i += 2 * step)
            probe.remove(present[i]);
        probe.remove(made.front());
        probe.walk(true);
        probe.walk(false);
    }
    index_close(index);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::prepare_device();
    for (const Kind& kind : kKinds)
        exercise(kind, data, size);
    return 0;
}
