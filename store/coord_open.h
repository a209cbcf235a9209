#pragma once
// Opening an existing coordinate file with its two indexes, and rebuilding them.
//
// Open closes whatever coordinate file is open, makes the view extents invalid, opens the file and then each
// index (point numbers first, then names; store/point_index.h has their keys). An index that is empty while
// the file has records is built from the records, with the indexing dialog PT_INDEXING showing progress
// (an empty file shows no dialog). Reindex deletes both index files first, so both are always rebuilt.
//
// The coordinate file is the truth; the indexes are derived from it. An index is used as it is only when it
// carries the clean-close mark (store/index.h) with the file's present size, passes every check of the
// engine over all its nodes, and holds one entry for each live record; any other index (a crash, a kill
// during a build, damage, one left beside a file that was since replaced) is built again at once, and the
// indexing dialog says why under its usual text. Building the number index keeps, of two records that
// carry one number, the later one (the surveyor's last save) and marks the earlier deleted.
//
// An index file that cannot be created shows "indexCoordFile()" / "init_b() error" and then
// "OpenMorventFile(): index" / "error" ("ReindexVarnoFile(): index" when reindexing); the coordinate file
// stays open without that index and keyed operations find nothing.
//
// Closing the coordinate file while a build runs (the program shutting down under the indexing dialog)
// finishes the build first; the open then ends there with 0.
//
// The owner is the window the indexing dialog belongs to (platform::ui::Hwnd; 0 for none).

#include <cstdint>
#include <functional>
#include <string>

namespace store {

class IndexBuild;

// 1 when the file was opened (also when an index could not be opened); 0 when it cannot be opened, with
// both paths "----" and nothing open.
int coord_open_with_indexes(uint32_t owner, const std::u16string& path);

// As open, but both index files are deleted first and rebuilt from the records.
int coord_reindex(uint32_t owner, const std::u16string& path);

// Runs one index build to its end, showing whatever it shows. The default runs the indexing dialog
// (store/indexing_dialog.h); whatever the runner leaves unfinished (a dialog that could not be shown, a
// quit that ended it early) is finished without one, so an index is never left half built.
using IndexBuildRunner = std::function<void(uint32_t owner, IndexBuild& build)>;
// Replaces the runner (tests observe the builds); an empty function restores the default.
void set_index_build_runner(IndexBuildRunner runner);

}  // namespace store
