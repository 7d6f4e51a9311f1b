#pragma once
// The board as a web page: each gamer's best score, highest first.

#include <string>
#include <string_view>
#include <vector>

#include "board_store.h"

namespace sb::board {

std::string EscapeHtml(std::string_view text);
std::string RenderBoardPage(const std::vector<StoredScore>& best);

}  // namespace sb::board
