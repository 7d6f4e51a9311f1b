#include "board_page.h"

namespace sb::board {

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string RenderBoardPage(const std::vector<StoredScore>& best) {
  std::string page =
      "<!DOCTYPE html>\n"
      "<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Starbarrow score board</title>\n</head>\n<body>\n"
      "<h1>Starbarrow score board</h1>\n";
  if (best.empty()) return page + "<p>No scores have been posted yet.</p>\n</body>\n</html>\n";
  page +=
      "<table>\n<caption>Each player's best score, highest first</caption>\n"
      "<thead><tr><th scope=\"col\">Place</th><th scope=\"col\">Player</th>"
      "<th scope=\"col\">Score</th><th scope=\"col\">Date</th></tr></thead>\n<tbody>\n";
  for (size_t i = 0; i < best.size(); ++i) {
    const StoredScore& row = best[i];
    page += "<tr><td>" + std::to_string(i + 1) + "</td><td>" + EscapeHtml(row.gamer) + "</td><td>" +
            std::to_string(row.score) + "</td><td>" + EscapeHtml(row.received.substr(0, 10)) + "</td></tr>\n";
  }
  return page + "</tbody>\n</table>\n</body>\n</html>\n";
}

}  // namespace sb::board
