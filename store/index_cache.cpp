// The page cache of an index: the root always in memory, seven page buffers (more during a bulk store) kept
// in most-recently-used order, written back when evicted or at close. Every page read from the file is checked before anything
// trusts its counts or addresses.

#include <algorithm>

#include "store/index_internal.h"

namespace store {

namespace files = platform::files;

namespace {

// The order of use: a list linked through the buffers, most recently used at one end.
void unlink(Index& index, int slot)
{
    PageBuffer& page = index.pages[size_t(slot)];
    (page.newer >= 0 ? index.pages[size_t(page.newer)].older : index.most_recent) = page.older;
    (page.older >= 0 ? index.pages[size_t(page.older)].newer : index.least_recent) = page.newer;
    page.newer = page.older = -1;
}

void link_most_recent(Index& index, int slot)
{
    PageBuffer& page = index.pages[size_t(slot)];
    page.older = index.most_recent;
    page.newer = -1;
    if (index.most_recent >= 0)
        index.pages[size_t(index.most_recent)].newer = slot;
    index.most_recent = slot;
    if (index.least_recent < 0)
        index.least_recent = slot;
}

void move_to_front(Index& index, int slot)
{
    assert(slot >= 0 && size_t(slot) < index.pages.size());
    if (index.most_recent == slot)
        return;
    unlink(index, slot);
    link_most_recent(index, slot);
}

bool write_block(Index& index, uint32_t address, const uint8_t* bytes, uint32_t size)
{
    // One positioned write: a page costs one call to the file system, not a seek and a write.
    if (files::write_at(index.file, address, bytes, size) != size) {
        index.write_failed = true;
        index_fail(index, address, "write");
        return false;
    }
    return true;
}

// The seven pages are searched in turn, faster than any lookup; a larger cache keeps a lookup by address.
bool uses_lookup(const Index& index)
{
    return index.cache_limit > kCachePages;
}

// The buffer holding the valid node at address, or -1.
int find_cached(const Index& index, uint32_t address)
{
    if (uses_lookup(index)) {
        auto it = index.cached.find(address);
        return it == index.cached.end() ? -1 : it->second;
    }
    for (const PageBuffer& page : index.pages) {
        if (page.valid && page.address == address)
            return page.slot;
    }
    return -1;
}

// A buffer no longer holds its node: it leaves the lookup.
void forget(Index& index, int slot)
{
    PageBuffer& page = index.pages[size_t(slot)];
    if (page.valid && uses_lookup(index))
        index.cached.erase(page.address);
    page.valid = false;
    page.modified = false;
}

void remember(Index& index, int slot)
{
    PageBuffer& page = index.pages[size_t(slot)];
    page.valid = true;
    if (uses_lookup(index))
        index.cached[page.address] = slot;
}

// The buffer for address, taken as the cache rules say: a valid buffer already holding it, else the least
// recently used one, written first when it holds another changed node.
PageBuffer& take_buffer(Index& index, uint32_t address)
{
    // A descent asks again for the node it just had (a parent after a restructure, a leaf after a search).
    if (index.most_recent >= 0) {
        PageBuffer& last = index.pages[size_t(index.most_recent)];
        if (last.valid && last.address == address)
            return last;
    }
    int held = find_cached(index, address);
    if (held >= 0) {
        move_to_front(index, held);
        return index.pages[size_t(held)];
    }
    if (int(index.pages.size()) < index.cache_limit) {
        // A buffer not made yet is the least recently used of all: it is made and taken.
        int slot = int(index.pages.size());
        index.pages.emplace_back().slot = slot;
        index.pages.back().address = address;
        link_most_recent(index, slot);
        return index.pages.back();
    }
    int slot = index.least_recent;
    PageBuffer& page = index.pages[size_t(slot)];
    if (page.valid && page.modified && page.address != address)
        write_block(index, page.address, page.bytes.data(), kIndexPageSize);
    forget(index, slot);
    page.address = address;
    move_to_front(index, slot);
    return page;
}

}  // namespace

int index_fail(Index& index, uint32_t page, const char* check)
{
    if (!index.damaged)
        index.damage = {page, check};
    index.damaged = true;
    return kIndexDamaged;
}

bool address_plausible(const Index& index, uint32_t address)
{
    return address >= kFirstPageAddress && address % kIndexPageSize == 0
        && uint64_t(address) + kIndexPageSize <= index.next_free;
}

const char* node_check(const Index& index, uint32_t address, const uint8_t* bytes)
{
    Node node = index.node(const_cast<uint8_t*>(bytes));
    int count = node.count();
    if (count > index.node_capacity(address))
        return "count";
    for (int j = 1; j < count; ++j) {
        if (compare_entries(index, node.entry(j - 1), node.entry(j)) >= 0)
            return "order";
    }
    if (node.leaf()) {
        bool linked = address == 0
            || ((node.prev() == 0 || address_plausible(index, node.prev()))
                && (node.next() == 0 || address_plausible(index, node.next())));
        return linked ? nullptr : "siblings";
    }
    if (count < 1 || !address_plausible(index, node.leftmost()))
        return "children";
    for (int j = 0; j < count; ++j) {
        if (!address_plausible(index, node.right(j)))
            return "children";
    }
    return nullptr;
}

uint8_t* node_bytes(Index& index, uint32_t address)
{
    if (address == 0)
        return index.root.data();
    if (!address_plausible(index, address)) {
        index_fail(index, address, "address");
        return nullptr;
    }
    PageBuffer& page = take_buffer(index, address);
    if (page.valid)
        return page.bytes.data();
    bool read_whole
        = files::read_at(index.file, address, page.bytes.data(), kIndexPageSize) == uint32_t(kIndexPageSize);
    const char* failed = read_whole ? node_check(index, address, page.bytes.data()) : "read";
    if (failed) {
        index_fail(index, address, failed);
        return nullptr;
    }
    page.modified = false;
    remember(index, page.slot);
    return page.bytes.data();
}

uint8_t* node_create(Index& index, uint32_t* address)
{
    if (uint64_t(index.next_free) + kIndexPageSize > 0xFFFFF000u) {
        index_fail(index, index.next_free, "full");
        return nullptr;
    }
    *address = index.next_free;
    index.next_free += kIndexPageSize;
    PageBuffer& page = take_buffer(index, *address);
    page.bytes.fill(0);
    remember(index, page.slot);
    page.modified = true;
    return page.bytes.data();
}

void node_touch(Index& index, uint32_t address)
{
    if (address == 0) {
        index.root_modified = true;
        return;
    }
    int held = find_cached(index, address);
    if (held >= 0)
        index.pages[size_t(held)].modified = true;
}

bool cache_write_all(Index& index)
{
    bool all = true;
    if (index.root_modified) {
        all = write_block(index, 0, index.root.data(), kIndexRootSize) && all;
        index.root_modified = false;
    }
    // In address order, each run of neighbouring pages in one write: a large cache (a build, a bulk store)
    // may hold thousands of changed pages.
    std::vector<int> changed;
    for (size_t slot = 0; slot < index.pages.size(); ++slot) {
        if (index.pages[slot].valid && index.pages[slot].modified)
            changed.push_back(int(slot));
    }
    std::sort(changed.begin(), changed.end(),
        [&index](int a, int b) { return index.pages[size_t(a)].address < index.pages[size_t(b)].address; });
    constexpr size_t kRunPages = 256;
    std::vector<uint8_t> run;
    for (size_t first = 0; first < changed.size();) {
        size_t last = first + 1;
        while (last < changed.size() && last - first < kRunPages
            && index.pages[size_t(changed[last])].address
                == index.pages[size_t(changed[last - 1])].address + kIndexPageSize)
            ++last;
        run.resize((last - first) * kIndexPageSize);
        for (size_t i = first; i < last; ++i) {
            PageBuffer& page = index.pages[size_t(changed[i])];
            std::memcpy(run.data() + (i - first) * kIndexPageSize, page.bytes.data(), kIndexPageSize);
            page.modified = false;
        }
        all = write_block(index, index.pages[size_t(changed[first])].address, run.data(), uint32_t(run.size())) && all;
        first = last;
    }
    return all;
}

void cache_reset(Index& index, int count)
{
    assert(count >= kCachePages && count <= kLargestCache);
    cache_write_all(index);
    index.pages.clear();
    index.cached.clear();
    index.most_recent = index.least_recent = -1;
    index.cache_limit = count;
}

void index_set_cache_pages(Index* index, int pages)
{
    if (index)
        cache_reset(*index, std::clamp(pages, kCachePages, kLargestCache));
}

}  // namespace store
