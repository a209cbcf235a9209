// The redo journal of the open coordinate file.

#include "store/coord_journal.h"

#include <cstring>

#include "store/checksum.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr char kMagic[8] = {'V', 'r', 'n', 'R', 'e', 'd', 'o', '1'};
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

bool put(const uint8_t* bytes, uint32_t size)
{
    if (!s_journal.file)
        s_journal.file = files::create_always(journal_path(), files::Access::ReadWrite, files::kShareNone);
    return s_journal.file && files::write_at(s_journal.file, 0, bytes, size) == size && files::flush(s_journal.file);
}

}  // namespace

bool journal_write(int index, const uint8_t* bytes)
{
    uint8_t block[kJournalSize] = {};
    std::memcpy(block, kMagic, sizeof kMagic);
    store_le32(block + 8, uint32_t(index));
    std::memcpy(block + 12, bytes, kJournalRecordBytes);
    store_le32(block + 96, fnv1a(block, 96));
    s_journal.live = put(block, kJournalSize);
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
    bool whole = files::read_at(file, 0, block, kJournalSize) == kJournalSize
        && std::memcmp(block, kMagic, sizeof kMagic) == 0 && load_le32(block + 96) == fnv1a(block, 96);
    files::close(file);
    int index = int(load_le32(block + 8));
    if (whole && index >= 1 && index <= coord_record_count()) {
        files::Handle coord = coord_handle();
        if (files::write_at(coord, record_offset(index), block + 12, kJournalRecordBytes) != kJournalRecordBytes
            || !files::flush(coord))
            return false;
    }
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
