#include "platform/score_codec.h"

#include <algorithm>
#include <cmath>

namespace sb {

double EncodeScore(double x) {
  if (!(x > 0)) return 0;
  return (x + 12901) * 21 - 42069;
}

double DecodeScore(double x) {
  if (!(x > 0) || !std::isfinite(x)) return 0;
  const double y = (x + 42069) / 21 - 12901;
  if (!std::isfinite(y) || y != std::floor(y)) return 0;
  return y;
}

std::string ToBase36(double x) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  double v = std::floor(x);
  if (!(v >= 1) || !std::isfinite(v)) return "0";
  std::string out;
  while (v >= 1) {
    const double digit = std::fmod(v, 36);
    out.push_back(kDigits[static_cast<int>(digit)]);
    v = std::floor(v / 36);
  }
  std::reverse(out.begin(), out.end());
  return out;
}

double FromBase36(std::string_view s) {
  double total = 0;
  for (const char c : s) {
    const auto code = static_cast<unsigned char>(c);
    const int digit = c >= '0' && c <= '9' ? c - '0' : static_cast<int>(code) - 55;
    total = total * 36 + digit;
  }
  return total;
}

double LeadingNumber(std::string_view s) {
  double total = 0;
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) total = total * 10 + (s[i] - '0');
  return total;
}

int64_t DecodeInRange(double encoded, int64_t low, int64_t high) {
  const double value = DecodeScore(encoded);
  if (value != std::floor(value) || value < static_cast<double>(low) || value > static_cast<double>(high)) return 0;
  return static_cast<int64_t>(value);
}

int64_t DecodeStored(std::string_view base36, int64_t low, int64_t high) {
  return DecodeInRange(FromBase36(base36), low, high);
}

}  // namespace sb
