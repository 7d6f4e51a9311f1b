#include "board_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace sb::board {

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) Fail(db, "cannot prepare a query");
  return Statement(raw, sqlite3_finalize);
}

std::string Column(sqlite3_stmt* row, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
  return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(row, column))) : std::string();
}

void BindText(sqlite3* db, sqlite3_stmt* statement, int index, const std::string& text) {
  if (sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
    Fail(db, "cannot bind a value");
  }
}

// Full sync: a score answered with "success" survives a power cut as well as a kill.
constexpr const char* kSettings =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=FULL;";

// `best` holds each gamer's best score (the earliest at that score), kept by
// triggers as scores come and go, so the page reads only the rows it shows.
// A board kept before the table existed has it filled once, here.
constexpr const char* kSchema =
    "BEGIN IMMEDIATE;"
    "CREATE TABLE IF NOT EXISTS scores ("
    "  id INTEGER PRIMARY KEY,"
    "  gamer TEXT NOT NULL,"
    "  score INTEGER NOT NULL,"
    "  date TEXT NOT NULL,"
    "  received TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_gamer ON scores (gamer, score);"
    "CREATE TABLE IF NOT EXISTS best ("
    "  gamer TEXT PRIMARY KEY,"
    "  score INTEGER NOT NULL,"
    "  score_id INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS best_by_score ON best (score DESC, score_id);"
    "CREATE TRIGGER IF NOT EXISTS scores_keep_best AFTER INSERT ON scores BEGIN"
    "  INSERT INTO best (gamer, score, score_id) VALUES (NEW.gamer, NEW.score, NEW.id)"
    "  ON CONFLICT (gamer) DO UPDATE SET score = excluded.score, score_id = excluded.score_id"
    "  WHERE excluded.score > best.score;"
    " END;"
    "CREATE TRIGGER IF NOT EXISTS scores_forget_best AFTER DELETE ON scores BEGIN"
    "  DELETE FROM best WHERE gamer = OLD.gamer AND score_id = OLD.id;"
    "  INSERT INTO best (gamer, score, score_id)"
    "  SELECT gamer, score, id FROM scores"
    "  WHERE gamer = OLD.gamer AND NOT EXISTS (SELECT 1 FROM best WHERE gamer = OLD.gamer)"
    "  ORDER BY score DESC, id LIMIT 1;"
    " END;"
    "INSERT INTO best (gamer, score, score_id)"
    "  SELECT gamer, score, id FROM ("
    "    SELECT gamer, score, id, ROW_NUMBER() OVER (PARTITION BY gamer ORDER BY score DESC, id) AS place"
    "    FROM scores)"
    "  WHERE place = 1 AND NOT EXISTS (SELECT 1 FROM best);"
    "COMMIT;";

constexpr const char* kBest =
    "SELECT s.gamer, s.score, s.date, s.received FROM best b JOIN scores s ON s.id = b.score_id"
    " ORDER BY b.score DESC, b.score_id LIMIT ?1";
constexpr const char* kAll = "SELECT gamer, score, date, received FROM scores ORDER BY id LIMIT ?1";

sqlite3* Open(const std::filesystem::path& file, int flags, const char* setup) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
  try {
    if (rc != SQLITE_OK) Fail(db, "cannot open " + file.string());
    sqlite3_busy_timeout(db, 5000);  // another program using the file holds it only briefly
    if (setup && sqlite3_exec(db, setup, nullptr, nullptr, nullptr) != SQLITE_OK) {
      Fail(db, "cannot set up " + file.string());
    }
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}

}  // namespace

BoardStore::BoardStore(const std::filesystem::path& file) {
  writer_ = Open(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, (std::string(kSettings) + kSchema).c_str());
  try {
    reader_ = Open(file, SQLITE_OPEN_READONLY, nullptr);
  } catch (...) {
    sqlite3_close(writer_);
    throw;
  }
}

BoardStore::~BoardStore() {
  sqlite3_close(reader_);
  sqlite3_close(writer_);
}

void BoardStore::Add(const Submission& submission, const std::string& received) {
  std::lock_guard lock(writeMutex_);
  Statement insert = Prepare(writer_, "INSERT INTO scores (gamer, score, date, received) VALUES (?1, ?2, ?3, ?4)");
  BindText(writer_, insert.get(), 1, submission.gamer);
  sqlite3_bind_int64(insert.get(), 2, submission.score);
  BindText(writer_, insert.get(), 3, submission.date);
  BindText(writer_, insert.get(), 4, received);
  if (sqlite3_step(insert.get()) != SQLITE_DONE) Fail(writer_, "cannot store a score");
}

void BoardStore::VisitBest(size_t limit, const std::function<void(const StoredScore&)>& visit) {
  Query(kBest, static_cast<int64_t>(std::min<size_t>(limit, INT64_MAX)), visit);
}

std::vector<StoredScore> BoardStore::Best(size_t limit) {
  std::vector<StoredScore> rows;
  VisitBest(limit, [&rows](const StoredScore& row) { rows.push_back(row); });
  return rows;
}

std::vector<StoredScore> BoardStore::All() {
  std::vector<StoredScore> rows;
  Query(kAll, -1, [&rows](const StoredScore& row) { rows.push_back(row); });
  return rows;
}

void BoardStore::Query(const char* sql, int64_t limit, const std::function<void(const StoredScore&)>& visit) {
  std::lock_guard lock(readMutex_);
  Statement query = Prepare(reader_, sql);
  sqlite3_bind_int64(query.get(), 1, limit);
  int rc;
  while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
    visit({Column(query.get(), 0), sqlite3_column_int64(query.get(), 1), Column(query.get(), 2),
           Column(query.get(), 3)});
  }
  if (rc != SQLITE_DONE) Fail(reader_, "cannot read the scores");
}

}  // namespace sb::board
