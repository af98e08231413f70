// Values read from text: whole numbers and decimals within a range, and words in one case.
#pragma once

#include <string>

namespace TextValue {

// A whole decimal number, all of `text` (no spaces, no sign other than a leading '-'), within
// [low, high]. False for anything else, `*value` then untouched.
bool Whole(const std::string& text, long long low, long long high, long long* value);
// The same for an int.
bool Whole(const std::string& text, int low, int high, int* value);
// A finite decimal number ("1", "0.5", "2.25"), all of `text`, within [low, high].
bool Decimal(const std::string& text, double low, double high, double* value);

std::string Lower(const std::string& text);
std::string Upper(const std::string& text);

}  // namespace TextValue
