// Opening a coordinate file with its indexes, and reindexing it.

#include "formats/messages.h"
#include "platform/files/files.h"
#include "store/coord_file.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/indexing_dialog.h"
#include "store/point_index.h"
#include "store/point_keys.h"
#include "store/view_extents.h"

namespace store {

namespace files = platform::files;

namespace {

struct OpenState {
    IndexBuildRunner runner;   // empty: the indexing dialog
};

OpenState s_open;

struct IndexSpec {
    const char16_t* suffix;
    IndexKind kind;
    int key_size;
    bool duplicates;
};

constexpr IndexSpec kNumberSpec { kNumberIndexSuffix, IndexKind::Number, kNumberKeySize, false };
constexpr IndexSpec kNameSpec { kNameIndexSuffix, IndexKind::Name, kNameKeySize, true };

// The ends of a healthy index name records that hold their keys. An index left beside a file that was
// since replaced, or cut short, fails this at once; one whose ends agree is trusted.
bool ends_agree(Index* index, IndexKind kind)
{
    char key[kNameKeySize] = {};
    uint32_t record = 0;
    PointRecord point;
    int first = index_first(index, key, &record);
    if (first == kIndexEnd)
        return true;
    if (first != kIndexOk || !entry_agrees(kind, key, record, &point))
        return false;
    return index_last(index, key, &record) == kIndexOk && entry_agrees(kind, key, record, &point);
}

void build(uint32_t owner, Index* index, IndexKind kind)
{
    IndexBuild job(index, kind);
    if (s_open.runner)
        s_open.runner(owner, job);
    else
        run_indexing_dialog(owner, job);
    job.run_to_end();
}

// Opens one index of the open coordinate file, building it when it is empty and the file has records.
Index* open_index(uint32_t owner, const IndexSpec& spec, bool rebuild, const char16_t* failure_caption)
{
    const std::u16string path = coord_base_path() + spec.suffix;
    if (rebuild)
        files::remove(path);
    Index* index = index_open(path, spec.key_size, spec.duplicates);
    if (index && !ends_agree(index, spec.kind)) {
        index_close(index);
        files::remove(path);
        index = index_open(path, spec.key_size, spec.duplicates);
    }
    if (!index) {
        formats::message(u"indexCoordFile()", u"init_b() error");
        formats::message(failure_caption, u"error");
        return nullptr;
    }
    if (index_first(index, nullptr, nullptr) == kIndexOk || coord_record_count() < 1)
        return index;
    build(owner, index, spec.kind);
    return index;
}

int open_with_indexes(uint32_t owner, const std::u16string& path, bool rebuild, const char16_t* failure_caption)
{
    view_extents_invalidate();
    coord_close();
    if (!coord_open_file(path))
        return 0;
    Index* numbers = open_index(owner, kNumberSpec, rebuild, failure_caption);
    coord_set_indexes(numbers, nullptr);
    coord_set_indexes(numbers, open_index(owner, kNameSpec, rebuild, failure_caption));
    return 1;
}

}  // namespace

int coord_open_with_indexes(uint32_t owner, const std::u16string& path)
{
    return open_with_indexes(owner, path, false, u"OpenMorventFile(): index");
}

int coord_reindex(uint32_t owner, const std::u16string& path)
{
    return open_with_indexes(owner, path, true, u"ReindexVarnoFile(): index");
}

void set_index_build_runner(IndexBuildRunner runner)
{
    s_open.runner = std::move(runner);
}

}  // namespace store
