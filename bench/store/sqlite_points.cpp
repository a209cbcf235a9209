#include "bench/store/sqlite_points.h"

#include <cstdio>
#include <cstring>

namespace bench_sqlite {

namespace {

constexpr const char* kSettings = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;"
                                  " PRAGMA locking_mode=EXCLUSIVE; PRAGMA cache_size=-8192;";
constexpr const char* kTable = "CREATE TABLE points(number INTEGER NOT NULL, e REAL, n REAL, el REAL,"
                               " name TEXT, note TEXT, code TEXT)";
constexpr const char* kIndexes = "CREATE UNIQUE INDEX points_number ON points(number);"
                                 " CREATE INDEX points_name ON points(name);";
constexpr const char* kColumns = "number, e, n, el, name, note, code";

void copy_text(sqlite3_stmt* statement, int column, char* to, size_t size)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    size_t length = text ? std::strlen(reinterpret_cast<const char*>(text)) : 0;
    length = length < size ? length : size - 1;
    if (length)
        std::memcpy(to, text, length);
    to[length] = '\0';
}

void bind_text(sqlite3_stmt* statement, int slot, const char* text, size_t field)
{
    sqlite3_bind_text(statement, slot, text, int(strnlen(text, field)), SQLITE_STATIC);
}

}  // namespace

PointDatabase::PointDatabase(const std::string& host_path, bool fresh)
{
    if (fresh)
        std::remove(host_path.c_str());
    if (sqlite3_open(host_path.c_str(), &m_db) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    m_ok = exec(kSettings) && (!fresh || (exec(kTable) && exec(kIndexes)));
    const std::string columns = kColumns;
    m_insert = prepare("INSERT INTO points(number, e, n, el, name, note, code) VALUES(?,?,?,?,?,?,?)");
    m_replace = prepare("INSERT OR REPLACE INTO points(number, e, n, el, name, note, code) VALUES(?,?,?,?,?,?,?)");
    m_by_number = prepare(("SELECT " + columns + " FROM points WHERE number = ?").c_str());
    m_by_name = prepare(("SELECT " + columns + " FROM points WHERE name >= ? ORDER BY name LIMIT 1").c_str());
    m_walk = prepare(("SELECT " + columns + " FROM points ORDER BY number").c_str());
}

PointDatabase::~PointDatabase()
{
    for (sqlite3_stmt* statement : {m_insert, m_replace, m_by_number, m_by_name, m_walk})
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

bool PointDatabase::exec(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "sqlite: %s: %s\n", sql, error ? error : "?");
    sqlite3_free(error);
    m_ok = false;
    return false;
}

sqlite3_stmt* PointDatabase::prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (m_db && sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s: %s\n", sql, sqlite3_errmsg(m_db));
        m_ok = false;
    }
    return statement;
}

void PointDatabase::fill(sqlite3_stmt* statement, store::PointRecord* out)
{
    out->number = uint32_t(sqlite3_column_int64(statement, 0));
    out->easting = sqlite3_column_double(statement, 1);
    out->northing = sqlite3_column_double(statement, 2);
    out->elevation = sqlite3_column_double(statement, 3);
    copy_text(statement, 4, out->name, sizeof out->name);
    copy_text(statement, 5, out->note, sizeof out->note);
    copy_text(statement, 6, out->code, sizeof out->code);
}

void PointDatabase::begin()
{
    exec("BEGIN");
}

bool PointDatabase::commit()
{
    return exec("COMMIT");
}

bool PointDatabase::store(const store::PointRecord& point, bool overwrite)
{
    sqlite3_stmt* statement = overwrite ? m_replace : m_insert;
    sqlite3_bind_int64(statement, 1, point.number);
    sqlite3_bind_double(statement, 2, point.easting);
    sqlite3_bind_double(statement, 3, point.northing);
    sqlite3_bind_double(statement, 4, point.elevation);
    bind_text(statement, 5, point.name, sizeof point.name);
    bind_text(statement, 6, point.note, sizeof point.note);
    bind_text(statement, 7, point.code, sizeof point.code);
    bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

bool PointDatabase::read_by_number(uint32_t number, store::PointRecord* out)
{
    sqlite3_bind_int64(m_by_number, 1, number);
    bool found = sqlite3_step(m_by_number) == SQLITE_ROW;
    if (found)
        fill(m_by_number, out);
    sqlite3_reset(m_by_number);
    return found;
}

bool PointDatabase::find_by_name(const std::string& name, store::PointRecord* out)
{
    sqlite3_bind_text(m_by_name, 1, name.data(), int(name.size()), SQLITE_STATIC);
    bool found = sqlite3_step(m_by_name) == SQLITE_ROW;
    if (found)
        fill(m_by_name, out);
    sqlite3_reset(m_by_name);
    return found;
}

int PointDatabase::walk_by_number()
{
    int count = 0;
    store::PointRecord point;
    while (sqlite3_step(m_walk) == SQLITE_ROW) {
        fill(m_walk, &point);
        ++count;
    }
    sqlite3_reset(m_walk);
    return count;
}

bool PointDatabase::rebuild_indexes()
{
    return exec("BEGIN") && exec("DROP INDEX points_number; DROP INDEX points_name;") && exec(kIndexes)
        && exec("COMMIT");
}

}  // namespace bench_sqlite
