// Opening and closing an index file.

#include <algorithm>
#include <memory>
#include <new>

#include "store/checksum.h"
#include "store/index_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr int64_t kLargestFile = 0xFFFFF000;  // node addresses are 32-bit

constexpr char kMarkMagic[8] = {'V', 'r', 'n', 'C', 'l', 'e', 'a', 'n'};

void put_mark(uint8_t* at, const IndexMark& mark)
{
    std::memcpy(at, kMarkMagic, sizeof kMarkMagic);
    for (int i = 0; i < 8; ++i)
        at[8 + i] = uint8_t(mark.stamp >> (8 * i));
    store_u32(at + 16, mark.entries);
    store_u32(at + 20, fnv1a(at, 20));
}

// Reads the clean-close mark out of the root just read, and clears the root's tail in memory: the mark
// lives only on disk, so no later write of the root can carry it again.
void take_mark(Index& index)
{
    uint8_t* at = index.root.data() + mark_offset(index);
    if (std::memcmp(at, kMarkMagic, sizeof kMarkMagic) == 0 && load_u32(at + 20) == fnv1a(at, 20)) {
        IndexMark mark;
        for (int i = 0; i < 8; ++i)
            mark.stamp |= uint64_t(at[8 + i]) << (8 * i);
        mark.entries = load_u32(at + 16);
        index.open_mark = mark;
        index.mark_on_disk = true;
    }
    std::memset(at, 0, size_t(kIndexRootSize - mark_offset(index)));
}

// Reads the root of an existing file; false when the file is too short, not whole pages, or damaged.
bool load_existing(Index& index)
{
    int64_t size = files::size(index.file);
    if (size < kIndexRootSize || size % kIndexPageSize != 0 || size > kLargestFile)
        return false;
    index.next_free = uint32_t(size);
    if (files::read_at(index.file, 0, index.root.data(), kIndexRootSize) != uint32_t(kIndexRootSize))
        return false;
    take_mark(index);
    return node_plausible(index, 0, index.root.data());
}

std::unique_ptr<Index> allocate(int key_size, bool duplicates)
{
    try {
        auto index = std::make_unique<Index>();
        index->key_size = key_size;
        index->entry_size = key_size + 8;
        index->capacity = index_capacity(key_size);
        index->duplicates = duplicates;
        index->root.assign(kIndexRootSize, 0);
        index->scratch.assign(size_t(kIndexRootSize) + 2 * size_t(index->entry_size), 0);
        cache_reset(*index, kCachePages);
        return index;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

int index_capacity(int key_size)
{
    if (key_size < 1)
        return 0;
    return kNodeEntryBytes / (key_size + 8);
}

Index* index_open(const std::u16string& path, int key_size, bool duplicates)
{
    if (index_capacity(key_size) < 6)
        return nullptr;
    std::unique_ptr<Index> index = allocate(key_size, duplicates);
    if (!index)
        return nullptr;
    index->file = files::open_existing(path, files::Access::ReadWrite, files::kShareNone);
    if (index->file) {
        if (!load_existing(*index)) {
            files::close(index->file);
            return nullptr;
        }
        return index.release();
    }
    index->file = files::create_always(path, files::Access::ReadWrite, files::kShareNone);
    if (!index->file)
        return nullptr;
    index->node(index->root.data()).set_leaf(true);
    index->root_modified = true;
    index->next_free = kFirstPageAddress;
    index->entries = 0;
    return index.release();
}

bool index_close(Index* handle)
{
    std::unique_ptr<Index> index(handle);  // freed however the close goes
    if (!index)
        return true;
    bool written = cache_write_all(*index);
    bool flushed = files::flush(index->file);
    files::close(index->file);
    return written && flushed && !index->write_failed;
}

bool index_close_clean(Index* handle, uint64_t stamp)
{
    std::unique_ptr<Index> index(handle);
    if (!index)
        return false;
    bool healthy = !index->damaged && (index->entries >= 0 || index_verify(index.get()) >= 0);
    IndexMark mark {stamp, uint32_t(std::max<int64_t>(index->entries, 0))};
    // Every page first, flushed; the mark only then, so a mark never stands on a file that is not whole.
    bool written = cache_write_all(*index) && files::flush(index->file) && !index->write_failed;
    bool marked = false;
    if (healthy && written) {
        uint8_t bytes[kMarkSize];
        put_mark(bytes, mark);
        marked = files::write_at(index->file, mark_offset(*index), bytes, kMarkSize) == uint32_t(kMarkSize)
            && files::flush(index->file);
    }
    files::close(index->file);
    return marked;
}

std::optional<IndexMark> index_open_mark(const Index* index)
{
    return index ? index->open_mark : std::nullopt;
}

bool index_begin_change(Index* index)
{
    if (!index || !index->mark_on_disk)
        return true;
    uint8_t zeros[kMarkSize] = {};
    if (files::write_at(index->file, mark_offset(*index), zeros, kMarkSize) != uint32_t(kMarkSize)
        || !files::flush(index->file)) {
        index->write_failed = true;
        index_fail(*index, 0, "write");
        return false;
    }
    index->mark_on_disk = false;
    return true;
}

bool index_damaged(const Index* index)
{
    return !index || index->damaged;
}

std::optional<IndexDamage> index_damage(const Index* index)
{
    if (!index || !index->damaged)
        return std::nullopt;
    return index->damage;
}

int index_key_size(const Index* index)
{
    return index ? index->key_size : 0;
}

}  // namespace store
