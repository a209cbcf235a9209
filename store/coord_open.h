#pragma once
// Opening an existing coordinate file with its two indexes, and rebuilding them.
//
// Open closes whatever coordinate file is open, makes the view extents invalid, opens the file and then each
// index (point numbers first, then names; store/point_index.h has their keys). An index that is empty while
// the file has records is built from the records through the index-build runner below, which the program
// sets to show its indexing dialog (an empty file builds nothing, so shows nothing). Reindex deletes both
// index files first, so both are always rebuilt.
//
// The coordinate file is the truth; the indexes are derived from it. An index is used as it is only when it
// carries the clean-close mark (store/index.h) with the file's present size, passes every check of the
// engine over all its nodes, and holds one entry for each live record; any other index (a crash, a kill
// during a build, damage, one left beside a file that was since replaced) is built again at once, and the
// build carries why (IndexBuild::reason), for the indexing dialog to say under its usual text. Building the number index keeps, of two records that
// carry one number, the later one (the surveyor's last save) and marks the earlier deleted.
//
// An index file that cannot be created shows "indexCoordFile()" / "init_b() error" and then
// "OpenMorventFile(): index" / "error" ("ReindexVarnoFile(): index" when reindexing); the coordinate file
// stays open without that index and keyed operations find nothing.
//
// Closing the coordinate file while a build runs (the program shutting down under the indexing dialog)
// finishes the build first; the open then ends there with 0.

#include <functional>
#include <string>

namespace store {

class IndexBuild;

// 1 when the file was opened (also when an index could not be opened); 0 when it cannot be opened, with
// both paths "----" and nothing open.
int coord_open_with_indexes(const std::u16string& path);

// As open, but both index files are deleted first and rebuilt from the records.
int coord_reindex(const std::u16string& path);

// Runs one index build, showing whatever it shows: the program installs one that drives the build from
// its indexing dialog (store/indexing_dialog.h) over the main window. Whatever the runner leaves
// unfinished (a dialog that could not be shown, a quit that ended it early) is finished without it, so an
// index is never left half built; with no runner installed every build runs to its end at once.
using IndexBuildRunner = std::function<void(IndexBuild& build)>;
// Installs the runner (the program at start-up; tests that observe the builds); an empty function
// removes it.
void set_index_build_runner(IndexBuildRunner runner);

}  // namespace store
