#include "hosts/wrap_text.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(WrapText, BreaksAtSpacesWithinTheWidth) {
  const struct {
    const char* text;
    size_t columns;
    const char* wrapped;
  } cases[] = {
      {"one two three four", 9, "one two\nthree\nfour"},
      {"one two three four", 100, "one two three four"},
      {"a verylongword b", 4, "a\nverylongword\nb"},
      {"kept\nbreaks  and   spaces", 40, "kept\nbreaks and spaces"},
      {"", 10, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapText(c.text, c.columns), c.wrapped) << c.text;
}

TEST(WrapText, NoLineOfALongMessageIsWiderThanAsked) {
  const std::string text(
      "Sound driver error. Please update your sound card drivers and make sure you have at least DirectX 7.0 "
      "installed. For help, read \"Sound problems\" in README.md, in the program's folder.");
  const std::string wrapped = WrapText(text, 60);
  size_t start = 0;
  while (start <= wrapped.size()) {
    size_t end = wrapped.find('\n', start);
    if (end == std::string::npos) end = wrapped.size();
    EXPECT_LE(end - start, 60u) << wrapped.substr(start, end - start);
    start = end + 1;
  }
  EXPECT_NE(wrapped.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace sb
