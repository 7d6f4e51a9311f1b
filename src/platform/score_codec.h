#pragma once
// The stored form of scores and of the saved game: a light disguise that makes
// a hand-edited value decode to 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace sb {

// 0 for x <= 0; otherwise (x + 12901) * 21 - 42069.
double EncodeScore(double x);
// The inverse; 0 for x <= 0, for a value EncodeScore never produces, and for
// anything not finite.
double DecodeScore(double x);
// Base-36 digits, most significant first, "0".."9" then "A".."Z"; "0" for 0.
std::string ToBase36(double x);
// Each character's digit value times 36 to the power of its place from the
// right; characters other than "0".."9" count as their code minus 55.
double FromBase36(std::string_view s);

// The number at the start of a text, as the file's decimal fields are read:
// leading digits only, 0 when there are none.
double LeadingNumber(std::string_view s);

// A stored value read back: the decoded number when it is a whole number
// within the field's range [low, high], and 0 for anything else, so that a
// tampered or damaged value restores as 0 and never as a stranger number.
int64_t DecodeInRange(double encoded, int64_t low, int64_t high);
// The same for a saved-game field, stored as base-36 text.
int64_t DecodeStored(std::string_view base36, int64_t low, int64_t high);

}  // namespace sb
