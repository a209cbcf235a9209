// Opening a coordinate file with its indexes, and reindexing it.

#include <optional>

#include "formats/messages.h"
#include "platform/files/files.h"
#include "platform/reset/reset.h"
#include "store/coord_file.h"
#include "store/coord_internal.h"
#include "store/coord_open.h"
#include "store/index_build.h"
#include "store/point_index.h"
#include "store/point_keys.h"
#include "store/view_extents.h"

namespace store {

namespace files = platform::files;

namespace {

struct OpenState {
    IndexBuildRunner runner;  // empty: builds run to their end at once
};

OpenState s_open;

struct IndexSpec {
    const char16_t* suffix;
    IndexKind kind;
    int key_size;
    bool duplicates;
};

constexpr IndexSpec kNumberSpec {kNumberIndexSuffix, IndexKind::Number, kNumberKeySize, false};
constexpr IndexSpec kNameSpec {kNameIndexSuffix, IndexKind::Name, kNameKeySize, true};

// What the indexing dialog says under its usual text when an index is built again at open.
constexpr const char16_t* kReasonNotClosed = u"(not closed properly)";
constexpr const char16_t* kReasonDamaged = u"(index damaged)";
constexpr const char16_t* kReasonIncomplete = u"(index incomplete)";

// The file holds the index from the start of its build, so a close under the build finishes it first.
void hand_over(IndexKind kind, Index* index)
{
    if (kind == IndexKind::Number)
        coord_set_indexes(index, coord_name_index());
    else
        coord_set_indexes(coord_number_index(), index);
}

// Why an index that opened must be built again, or nullptr when it can be trusted: it was closed cleanly
// over a file of this very size, every node passes the engine's checks, and it holds an entry for each live
// record (as many as its mark says).
const char16_t* rebuild_reason(Index* index, int live)
{
    std::optional<IndexMark> mark = index_open_mark(index);
    if (!mark || int64_t(mark->stamp) != files::size(coord_handle()))
        return kReasonNotClosed;
    int64_t entries = index_verify(index);
    if (entries < 0)
        return kReasonDamaged;
    if (entries != int64_t(mark->entries) || entries != live)
        return kReasonIncomplete;
    return nullptr;
}

// Builds the index from the records with the runner; false when the coordinate file was closed meanwhile
// (the program shutting down under the dialog: the close finished the build first).
bool build(Index* index, IndexKind kind, const char16_t* reason)
{
    uint64_t generation = coord_generation();
    IndexBuild job(index, kind);
    if (reason)
        job.set_reason(reason);
    if (s_open.runner)
        s_open.runner(job);
    if (coord_generation() != generation)
        return false;
    job.run_to_end();
    return true;
}

// A fresh, empty index file in place of whatever lies at path.
Index* open_fresh(const std::u16string& path, const IndexSpec& spec)
{
    files::remove(path);
    return index_open(path, spec.key_size, spec.duplicates);
}

enum class Opened { Kept, Built, Closed };

// Opens one index of the open coordinate file and hands it to the file (with the other index as it is
// already held), building it from the records when it is new or cannot be trusted. An index is never left
// broken: a file the engine refuses is replaced by a fresh one and built. Closed when the coordinate file
// was closed during the build.
Opened open_index(const IndexSpec& spec, bool rebuild, const char16_t* failure_caption, int live)
{
    const std::u16string path = coord_base_path() + spec.suffix;
    bool existed = !rebuild && files::attributes(path) != files::kInvalidAttributes;
    IndexHandle index(rebuild ? open_fresh(path, spec) : index_open(path, spec.key_size, spec.duplicates));
    const char16_t* reason = nullptr;
    if (existed)
        reason = index ? rebuild_reason(index.get(), live) : kReasonDamaged;
    if (reason) {
        index.reset();  // closed first: the fresh file takes its place
        index.reset(open_fresh(path, spec));
    }
    if (!index) {
        formats::message(u"indexCoordFile()", u"init_b() error");
        formats::message(failure_caption, u"error");
        return Opened::Kept;
    }
    Index* held = index.get();
    hand_over(spec.kind, index.release());
    bool trusted = existed && !reason;
    if (trusted || live < 1)
        return Opened::Kept;
    return build(held, spec.kind, reason) ? Opened::Built : Opened::Closed;
}

int open_with_indexes(const std::u16string& path, bool rebuild, const char16_t* failure_caption)
{
    view_extents_invalidate();
    coord_close();
    if (!coord_open_file(path))
        return 0;
    int live = coord_live_count();
    Opened numbers = open_index(kNumberSpec, rebuild, failure_caption, live);
    if (numbers == Opened::Closed)
        return 0;
    // Names after numbers: building the numbers can retire records that an older number shadowed.
    if (numbers == Opened::Built)
        live = coord_live_count();
    return open_index(kNameSpec, rebuild, failure_caption, live) == Opened::Closed ? 0 : 1;
}

}  // namespace

int coord_open_with_indexes(const std::u16string& path)
{
    return open_with_indexes(path, false, u"OpenMorventFile(): index");
}

int coord_reindex(const std::u16string& path)
{
    return open_with_indexes(path, true, u"ReindexVarnoFile(): index");
}

void set_index_build_runner(IndexBuildRunner runner)
{
    s_open.runner = std::move(runner);
}

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { set_index_build_runner({}); });

}  // namespace

}  // namespace store
