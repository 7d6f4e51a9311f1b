#pragma once
// What the game and the board server agree on: the two request paths, the
// credentials every request carries, and the board's fixed title.

namespace sb::board {

constexpr const char* kSubmitPath = "/board/subscore.php";
constexpr const char* kCodePath = "/board/ctc.php";
constexpr const char* kUser = "SBHSN";
constexpr const char* kPassword = "TinselQuarry";
// Sent as "boardtitle" with a score and as "id" when asking for the board code.
constexpr const char* kBoardTitle = "SBServer";
constexpr const char* kSubmitReply = "success";

}  // namespace sb::board
