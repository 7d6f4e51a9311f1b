#pragma once
// The scores a board has received, in one SQLite file. Every score is its own
// committed transaction in a write-ahead log, so a board killed at any moment
// keeps every score it has answered "success" for. Scores are written on one
// connection and read on another: a page being read never holds up a score.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "board_form.h"

struct sqlite3;

namespace sb::board {

struct StoredScore {
  std::string gamer;
  int64_t score = 0;
  std::string date;      // as the game wrote it
  std::string received;  // when the board took it, UTC, "YYYY-MM-DD HH:MM:SS"
};

class BoardStore {
 public:
  // Opens or creates the file; throws std::runtime_error when it cannot.
  explicit BoardStore(const std::filesystem::path& file);
  ~BoardStore();
  BoardStore(const BoardStore&) = delete;
  BoardStore& operator=(const BoardStore&) = delete;

  // Throws std::runtime_error when the score could not be stored.
  void Add(const Submission& submission, const std::string& received);
  // The best `limit` gamers' best scores (each the earliest, when reached more
  // than once), highest first, each passed to `visit` as it is read.
  void VisitBest(size_t limit, const std::function<void(const StoredScore&)>& visit);
  std::vector<StoredScore> Best(size_t limit);
  // Every score in the order received.
  std::vector<StoredScore> All();

 private:
  void Query(const char* sql, int64_t limit, const std::function<void(const StoredScore&)>& visit);

  std::mutex writeMutex_;
  sqlite3* writer_ = nullptr;
  std::mutex readMutex_;
  sqlite3* reader_ = nullptr;
};

}  // namespace sb::board
