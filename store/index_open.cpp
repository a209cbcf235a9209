// Opening and closing an index file.

#include <memory>
#include <new>

#include "store/index_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr int64_t kLargestFile = 0xFFFFF000;   // node addresses are 32-bit

// Reads the root of an existing file; false when the file is too short, not whole pages, or damaged.
bool load_existing(Index& index)
{
    int64_t size = files::size(index.file);
    if (size < kIndexRootSize || size % kIndexPageSize != 0 || size > kLargestFile)
        return false;
    index.next_free = uint32_t(size);
    if (files::read_at(index.file, 0, index.root.data(), kIndexRootSize) != uint32_t(kIndexRootSize))
        return false;
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
        for (int i = 0; i < kCachePages; ++i)
            index->lru[i] = i;
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
    return 1005 / (key_size + 8);
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
    return index.release();
}

bool index_close(Index* index)
{
    if (!index)
        return true;
    bool written = cache_write_all(*index);
    bool flushed = files::flush(index->file);
    files::close(index->file);
    bool clean = written && flushed && !index->write_failed;
    delete index;
    return clean;
}

bool index_damaged(const Index* index)
{
    return !index || index->damaged;
}

int index_key_size(const Index* index)
{
    return index ? index->key_size : 0;
}

}  // namespace store
