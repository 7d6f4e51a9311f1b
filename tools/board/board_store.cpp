#include "board_store.h"

#include <sqlite3.h>

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
constexpr const char* kSchema =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=FULL;"
    "CREATE TABLE IF NOT EXISTS scores ("
    "  id INTEGER PRIMARY KEY,"
    "  gamer TEXT NOT NULL,"
    "  score INTEGER NOT NULL,"
    "  date TEXT NOT NULL,"
    "  received TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_gamer ON scores (gamer, score);";

}  // namespace

BoardStore::BoardStore(const std::filesystem::path& file) {
  const int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  try {
    if (rc != SQLITE_OK) Fail(db_, "cannot open " + file.string());
    sqlite3_busy_timeout(db_, 5000);  // another program reading the file holds it only briefly
    if (sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db_, "cannot set up " + file.string());
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

BoardStore::~BoardStore() { sqlite3_close(db_); }

void BoardStore::Add(const Submission& submission, const std::string& received) {
  std::lock_guard lock(mutex_);
  Statement insert = Prepare(db_, "INSERT INTO scores (gamer, score, date, received) VALUES (?1, ?2, ?3, ?4)");
  BindText(db_, insert.get(), 1, submission.gamer);
  sqlite3_bind_int64(insert.get(), 2, submission.score);
  BindText(db_, insert.get(), 3, submission.date);
  BindText(db_, insert.get(), 4, received);
  if (sqlite3_step(insert.get()) != SQLITE_DONE) Fail(db_, "cannot store a score");
}

std::vector<StoredScore> BoardStore::Best() {
  return Query(
      "SELECT gamer, score, date, received FROM ("
      "  SELECT *, ROW_NUMBER() OVER (PARTITION BY gamer ORDER BY score DESC, id) AS place FROM scores)"
      " WHERE place = 1 ORDER BY score DESC, id");
}

std::vector<StoredScore> BoardStore::All() {
  return Query("SELECT gamer, score, date, received FROM scores ORDER BY id");
}

std::vector<StoredScore> BoardStore::Query(const char* sql) {
  std::lock_guard lock(mutex_);
  Statement query = Prepare(db_, sql);
  std::vector<StoredScore> rows;
  int rc;
  while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
    rows.push_back({Column(query.get(), 0), sqlite3_column_int64(query.get(), 1), Column(query.get(), 2),
                    Column(query.get(), 3)});
  }
  if (rc != SQLITE_DONE) Fail(db_, "cannot read the scores");
  return rows;
}

}  // namespace sb::board
