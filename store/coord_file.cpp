// The open coordinate file: creating, opening and closing it, its paths and index handles, the record count.

#include <algorithm>
#include <array>

#include "formats/messages.h"
#include "platform/reset/reset.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/coord_journal.h"
#include "store/index_build.h"

namespace store {

namespace files = platform::files;

namespace {

constexpr const char16_t* kNoPath = u"----";

struct CoordState {
    files::Handle file = nullptr;        // open for reading and writing, unshared; owned
    std::u16string full_path = kNoPath;  // at most kMaxCoordPathLength characters
    std::u16string base_path = kNoPath;  // full path cut at the extension's "."
    IndexHandle number_index;            // closed with the file
    IndexHandle name_index;              // closed with the file
    uint64_t generation = 0;             // counts closes: tells a caller the file was closed under it
};

CoordState s_coord;

bool path_too_long(const std::u16string& path)
{
    if (path.size() <= kMaxCoordPathLength)
        return false;
    formats::message(u"Error", u"The path is too long: at most 133 characters.");
    return true;
}

void set_paths(const std::u16string& path)
{
    s_coord.full_path = path;
    s_coord.base_path = coord_base_path_of(path);
}

bool write_exact(files::Handle file, const void* bytes, uint32_t size)
{
    return files::write(file, bytes, size) == size;
}

void write_header(files::Handle file, const uint8_t* header_block)
{
    uint8_t type[4] = {uint8_t(kRecordTypeHeader), 0, 0, 0};
    if (!write_exact(file, type, sizeof type))
        formats::message(u"OpenNewMorventFile", u"Error writing recType");
    std::array<uint8_t, kCoordHeaderBlockSize> zeros {};
    if (!write_exact(file, header_block ? header_block : zeros.data(), kCoordHeaderBlockSize))
        formats::message(u"OpenNewMorventFile", u"Error writing COORDFILE_HEAD");
    const uint8_t pad = 0xFF;
    for (int i = 0; i < 3; ++i)
        files::write(file, &pad, 1);
}

// A new coordinate file has no points, so index files left beside it by an earlier file of that name
// (whose entries would name records that no longer exist) are replaced by empty ones.
Index* open_empty_index(const char16_t* suffix, int key_size, bool duplicates)
{
    std::u16string path = s_coord.base_path + suffix;
    files::remove(path);
    return index_open(path, key_size, duplicates);
}

}  // namespace

files::Handle coord_handle()
{
    return s_coord.file;
}

std::u16string coord_base_path_of(const std::u16string& path)
{
    // Only a "." in the last component starts an extension; one in a folder name must not, or two files of
    // that folder would share index files.
    size_t dot = path.rfind(u'.');
    size_t slash = path.rfind(u'\\');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

int coord_check(const std::u16string& path)
{
    files::Handle file = files::open_existing(path, files::Access::ReadWrite);
    if (!file)
        return 0;
    uint8_t type[4] = {};
    bool whole = files::read(file, type, sizeof type) == sizeof type;
    files::close(file);
    return whole && load_le32(type) == kRecordTypeHeader ? 1 : -1;
}

bool coord_create(const std::u16string& path, const uint8_t* header_block)
{
    if (path_too_long(path))
        return false;
    coord_close();
    files::Handle file = files::create_always(path, files::Access::ReadWrite, files::kShareNone);
    if (!file)
        return false;
    write_header(file, header_block);
    files::flush(file);
    s_coord.file = file;
    set_paths(path);
    coord_set_indexes(open_empty_index(kNumberIndexSuffix, kNumberKeySize, false),
        open_empty_index(kNameIndexSuffix, kNameKeySize, true));
    return true;
}

bool coord_open_file(const std::u16string& path)
{
    if (path_too_long(path))
        return false;
    coord_close();
    files::Handle file = files::open_existing(path, files::Access::ReadWrite, files::kShareNone);
    if (!file)
        return false;
    s_coord.file = file;
    set_paths(path);
    journal_replay();
    return true;
}

void coord_close()
{
    // A build under way reads this file: it ends first.
    index_build_finish_active();
    ++s_coord.generation;
    // The indexes are marked clean only over a file that is whole on the disk.
    bool whole = s_coord.file && coord_bulk_close() && files::flush(s_coord.file);
    uint64_t size = uint64_t(std::max<int64_t>(files::size(s_coord.file), 0));
    if (whole) {
        index_close_clean(s_coord.number_index.release(), size);
        index_close_clean(s_coord.name_index.release(), size);
    }
    coord_set_indexes(nullptr, nullptr);
    journal_close(whole);
    files::close(s_coord.file);
    s_coord.file = nullptr;
    s_coord.full_path = kNoPath;
    s_coord.base_path = kNoPath;
}

uint64_t coord_generation()
{
    return s_coord.generation;
}

bool coord_is_open()
{
    return s_coord.file != nullptr;
}

const std::u16string& coord_full_path()
{
    return s_coord.full_path;
}

const std::u16string& coord_base_path()
{
    return s_coord.base_path;
}

Index* coord_number_index()
{
    return s_coord.number_index.get();
}

Index* coord_name_index()
{
    return s_coord.name_index.get();
}

void coord_set_indexes(Index* number_index, Index* name_index)
{
    // A handle handed over again is the one already held: it stays open.
    if (s_coord.number_index.get() != number_index)
        s_coord.number_index.reset(number_index);
    if (s_coord.name_index.get() != name_index)
        s_coord.name_index.reset(name_index);
}

int coord_record_count()
{
    if (!s_coord.file)
        return -1;
    int64_t size = coord_size();
    if (size < kCoordHeaderSize - 1)
        return 0;
    return int((size - (kCoordHeaderSize - 1)) / kCoordRecordSize);
}

void coord_reset_for_tests()
{
    coord_close();
    uint64_t generation = s_coord.generation;
    s_coord = CoordState();
    s_coord.generation = generation;
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, coord_reset_for_tests);

}  // namespace store
