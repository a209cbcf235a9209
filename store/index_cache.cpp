// The page cache of an index: the root always in memory, seven page buffers kept in most-recently-used
// order, written back when evicted or at close. Every page read from the file is checked before anything
// trusts its counts or addresses.

#include <algorithm>

#include "store/index_internal.h"

namespace store {

namespace files = platform::files;

namespace {

// The order of use holds each of the kCachePages buffers exactly once.
void move_to_front(Index& index, int slot)
{
    assert(slot >= 0 && slot < kCachePages);
    auto it = std::find(index.lru.begin(), index.lru.end(), slot);
    assert(it != index.lru.end());
    std::rotate(index.lru.begin(), it, it + 1);
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

// The buffer for address, taken as the cache rules say: a valid buffer already holding it, else the least
// recently used one, written first when it holds another changed node.
PageBuffer& take_buffer(Index& index, uint32_t address)
{
    for (int slot : index.lru) {
        PageBuffer& page = index.pages[slot];
        if (page.valid && page.address == address) {
            move_to_front(index, slot);
            return page;
        }
    }
    int slot = index.lru.back();
    PageBuffer& page = index.pages[slot];
    if (page.valid && page.modified && page.address != address)
        write_block(index, page.address, page.bytes.data(), kIndexPageSize);
    page.valid = false;
    page.modified = false;
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
    page.valid = true;
    page.modified = false;
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
    page.valid = true;
    page.modified = true;
    return page.bytes.data();
}

void node_touch(Index& index, uint32_t address)
{
    if (address == 0) {
        index.root_modified = true;
        return;
    }
    for (PageBuffer& page : index.pages) {
        if (page.valid && page.address == address)
            page.modified = true;
    }
}

bool cache_write_all(Index& index)
{
    bool all = true;
    if (index.root_modified) {
        all = write_block(index, 0, index.root.data(), kIndexRootSize) && all;
        index.root_modified = false;
    }
    for (PageBuffer& page : index.pages) {
        if (!page.valid || !page.modified)
            continue;
        all = write_block(index, page.address, page.bytes.data(), kIndexPageSize) && all;
        page.modified = false;
    }
    return all;
}

}  // namespace store
