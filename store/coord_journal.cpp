// The redo journal of the open coordinate file.

#include "store/coord_journal.h"

#include <cstring>
#include <vector>

#include "store/checksum.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr char kMagic[8] = {'V', 'r', 'n', 'R', 'e', 'd', 'o', '1'};
constexpr char kBulkMagic[8] = {'V', 'r', 'n', 'R', 'e', 'd', 'o', 'B'};
constexpr uint32_t kJournalSize = 100;
constexpr const char16_t* kJournalSuffix = u".PPC_.Redo";

struct JournalState {
    files::Handle file = nullptr;  // open while the coordinate file is, once a rewrite made it
    bool live = false;             // the file holds a whole journal
};

JournalState s_journal;

std::u16string journal_path()
{
    return coord_base_path() + kJournalSuffix;
}

// One record's block: magic, record index, type and point data, checksum.
void put_block(uint8_t* block, int index, const uint8_t* bytes)
{
    std::memset(block, 0, kJournalSize);
    std::memcpy(block, kMagic, sizeof kMagic);
    store_le32(block + 8, uint32_t(index));
    std::memcpy(block + 12, bytes, kJournalRecordBytes);
    store_le32(block + 96, fnv1a(block, 96));
}

bool block_whole(const uint8_t* block, const char* magic)
{
    return std::memcmp(block, magic, 8) == 0 && load_le32(block + 96) == fnv1a(block, 96);
}

// Writes the record a whole block holds over the coordinate file (not flushed); false when the write came up
// short. A block naming a record outside the file is passed over.
bool replay_block(const uint8_t* block)
{
    int index = int(load_le32(block + 8));
    if (index < 1 || index > coord_record_count())
        return true;
    return files::write_at(coord_handle(), record_offset(index), block + 12, kJournalRecordBytes)
        == kJournalRecordBytes;
}

// The blocks of a bulk journal whose header was read: all written again, or none when any does not check.
bool replay_all(files::Handle file, const uint8_t* header)
{
    uint32_t count = load_le32(header + 8);
    if (uint64_t(count) * kJournalSize > uint64_t(files::size(file)))
        return true;  // not whole: the store had not ended
    std::vector<uint8_t> blocks(size_t(count) * kJournalSize);
    uint32_t size = uint32_t(blocks.size());
    if (files::read_at(file, kJournalSize, blocks.data(), size) != size
        || load_le32(header + 12) != fnv1a(blocks.data(), blocks.size()))
        return true;
    for (uint32_t i = 0; i < count; ++i) {
        if (!block_whole(blocks.data() + size_t(i) * kJournalSize, kMagic))
            return true;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (!replay_block(blocks.data() + size_t(i) * kJournalSize))
            return false;
    }
    return true;
}

bool put(const uint8_t* bytes, uint32_t size)
{
    if (!s_journal.file)
        s_journal.file = files::create_always(journal_path(), files::Access::ReadWrite, files::kShareNone);
    return s_journal.file && files::write_at(s_journal.file, 0, bytes, size) == size && files::flush(s_journal.file);
}

}  // namespace

bool journal_write(int index, const uint8_t* bytes)
{
    uint8_t block[kJournalSize];
    put_block(block, index, bytes);
    s_journal.live = put(block, kJournalSize);
    return s_journal.live;
}

bool journal_write_all(const PendingRewrites& rewrites)
{
    std::vector<uint8_t> bytes((rewrites.size() + 1) * kJournalSize, 0);
    uint8_t* block = bytes.data() + kJournalSize;
    for (const auto& [index, record] : rewrites) {
        put_block(block, index, record.data());
        block += kJournalSize;
    }
    std::memcpy(bytes.data(), kBulkMagic, sizeof kBulkMagic);
    store_le32(bytes.data() + 8, uint32_t(rewrites.size()));
    store_le32(bytes.data() + 12, fnv1a(bytes.data() + kJournalSize, bytes.size() - kJournalSize));
    store_le32(bytes.data() + 96, fnv1a(bytes.data(), 96));
    s_journal.live = put(bytes.data(), uint32_t(bytes.size()));
    return s_journal.live;
}

bool journal_retire()
{
    if (!s_journal.live)
        return true;
    const uint8_t zeros[kJournalSize] = {};
    if (!put(zeros, kJournalSize))
        return false;
    s_journal.live = false;
    return true;
}

bool journal_replay()
{
    files::Handle file = files::open_existing(journal_path(), files::Access::Read, files::kShareNone);
    if (!file)
        return true;
    uint8_t block[kJournalSize] = {};
    bool read = files::read_at(file, 0, block, kJournalSize) == kJournalSize;
    bool replayed = true;
    if (read && block_whole(block, kMagic))
        replayed = replay_block(block);
    else if (read && block_whole(block, kBulkMagic))
        replayed = replay_all(file, block);
    files::close(file);
    if (!replayed || !files::flush(coord_handle()))
        return false;
    files::remove(journal_path());
    return true;
}

void journal_close(bool whole)
{
    files::close(s_journal.file);
    if (s_journal.file && whole)
        files::remove(journal_path());
    s_journal = JournalState();
}

}  // namespace store
