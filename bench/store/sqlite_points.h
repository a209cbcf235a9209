#pragma once
// The yardstick of the side-by-side benchmark: the same points in an SQLite database, as an IT person would
// keep them: one table of points, a unique index on the number and an index on the name.
//
// What SQLite is asked to do, chosen to match what the point store promises:
// - journal_mode=DELETE, synchronous=FULL (SQLite's defaults): a committed transaction is on the disk, as
//   a bulk store's points are once it ends (the store flushes once at the end, SQLite syncs at COMMIT);
// - locking_mode=EXCLUSIVE: the coordinate file is held open unshared, so SQLite holds its database the
//   same way and does not lock and check the file again around every statement;
// - cache_size of 8 MiB: the memory the store's index cache may take during a build or a bulk store
//   (4096 pages for each of its two indexes).
// Every change runs in one transaction with prepared statements; an overwrite is INSERT OR REPLACE.

#include <cstdint>
#include <string>

#include <sqlite3.h>

#include "store/point_record.h"

namespace bench_sqlite {

class PointDatabase {
public:
    // Opens (creating) the database at a host path with the settings above; with fresh set, any database
    // there is removed first and the table and both indexes are made empty.
    PointDatabase(const std::string& host_path, bool fresh);
    ~PointDatabase();
    PointDatabase(const PointDatabase&) = delete;
    PointDatabase& operator=(const PointDatabase&) = delete;

    bool ok() const { return m_db != nullptr && m_ok; }

    void begin();
    bool commit();
    // INSERT (overwrite false) or INSERT OR REPLACE (true) of one point.
    bool store(const store::PointRecord& point, bool overwrite);
    // SELECT by number: true and *out filled when found.
    bool read_by_number(uint32_t number, store::PointRecord* out);
    // The first point whose name is at or after name (the store's nearest find): true and *out filled.
    bool find_by_name(const std::string& name, store::PointRecord* out);
    // Every point in number order; the count visited.
    int walk_by_number();
    // Drops both indexes and creates them again, in one transaction.
    bool rebuild_indexes();

private:
    bool exec(const char* sql);
    sqlite3_stmt* prepare(const char* sql);
    static void fill(sqlite3_stmt* statement, store::PointRecord* out);

    sqlite3* m_db = nullptr;
    bool m_ok = true;
    sqlite3_stmt* m_insert = nullptr;
    sqlite3_stmt* m_replace = nullptr;
    sqlite3_stmt* m_by_number = nullptr;
    sqlite3_stmt* m_by_name = nullptr;
    sqlite3_stmt* m_walk = nullptr;
};

}  // namespace bench_sqlite
