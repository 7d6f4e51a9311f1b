// The board's code reply, judged before it goes to the clipboard.

#include "scoreboard/board_code.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(BoardAddress, TakesOneHttpAddressLineAndNothingElse) {
  const std::string longest = "https://board.invalid/" + std::string(kMaxBoardAddress - 22, 'a');
  const struct {
    const char* what;
    std::string reply;
    std::optional<std::string> address;
  } cases[] = {
      {"https", "https://board.invalid/sb", "https://board.invalid/sb"},
      {"http, with a query", "http://board.invalid/b?id=SB&x=%20", "http://board.invalid/b?id=SB&x=%20"},
      {"the scheme in capitals", "HTTPS://board.invalid/", "HTTPS://board.invalid/"},
      {"one line break dropped", "https://board.invalid/\n", "https://board.invalid/"},
      {"one CR LF dropped", "https://board.invalid/\r\n", "https://board.invalid/"},
      {"the longest", longest, longest},
      {"one character too long", longest + "a", std::nullopt},
      {"a megabyte", "https://board.invalid/" + std::string(1 << 20, 'a'), std::nullopt},
      {"empty", "", std::nullopt},
      {"only a line break", "\n", std::nullopt},
      {"two line breaks", "https://board.invalid/\n\n", std::nullopt},
      {"a lone CR", "https://board.invalid/\r", std::nullopt},
      {"a second line", "https://board.invalid/\nhttps://other.invalid/", std::nullopt},
      {"a line before it", "\nhttps://board.invalid/", std::nullopt},
      // Characters a shell reads are part of many addresses; on one line, pasted, nothing runs.
      {"shell characters on one line", "https://board.invalid/;rm${IFS}~", "https://board.invalid/;rm${IFS}~"},
      {"a shell command on its own line", "https://board.invalid/\nrm -rf ~\n", std::nullopt},
      {"a shell command with spaces", "curl https://board.invalid/ | sh", std::nullopt},
      {"a space inside", "https://board.invalid/a b", std::nullopt},
      {"a space before", " https://board.invalid/", std::nullopt},
      {"a tab", "https://board.invalid/\t", std::nullopt},
      {"a terminal escape", "https://board.invalid/\x1b]52;c;cm0gLXJmIH4=\x07", std::nullopt},
      {"a NUL", std::string("https://board.invalid/\0x", 24), std::nullopt},
      {"DEL", "https://board.invalid/\x7f", std::nullopt},
      {"a byte above 127", "https://board.invalid/\xc3\xa9", std::nullopt},
      {"ftp", "ftp://board.invalid/sb", std::nullopt},
      {"javascript", "javascript:alert(1)", std::nullopt},
      {"a file", "file:///etc/passwd", std::nullopt},
      {"no scheme", "board.invalid/sb", std::nullopt},
      {"the scheme alone", "https://", std::nullopt},
      {"the scheme with a line break", "http://\n", std::nullopt},
      {"a scheme that only starts like it", "httpx://board.invalid/", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(BoardAddress(c.reply), c.address) << c.what;
}

}  // namespace
}  // namespace sb
