#pragma once
// Reading and judging the two form-encoded requests the game sends. Every
// byte is hostile: anything the board would not show as it was meant is
// refused with a reason, and nothing of a refused request is stored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sb::board {

constexpr size_t kMaxTextLength = 64;  // characters of a gamer's name or a date

struct Refusal {
  int status = 400;
  std::string reason;
};

struct Submission {
  std::string gamer;
  int64_t score = 0;
  std::string date;  // as the game wrote it
};

// The body of a score: boardtitle, gamer, score and date, each exactly once.
std::optional<Refusal> ReadSubmission(std::string_view body, Submission& out);
// The body of a board-code request: the board's id, exactly once.
std::optional<Refusal> ReadCodeRequest(std::string_view body);

}  // namespace sb::board
