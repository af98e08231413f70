// Reading numbers and words from text.
#include "common/textvalue.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace TextValue {

bool Whole(const std::string& text, long long low, long long high, long long* value) {
  if (text.empty() || isspace(static_cast<unsigned char>(text[0])) || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  const long long v = strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  *value = v;
  return true;
}

bool Whole(const std::string& text, int low, int high, int* value) {
  long long v = 0;
  if (!Whole(text, static_cast<long long>(low), static_cast<long long>(high), &v)) return false;
  *value = static_cast<int>(v);
  return true;
}

bool Decimal(const std::string& text, double low, double high, double* value) {
  if (text.empty() || isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const double v = strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < low || v > high) return false;
  *value = v;
  return true;
}

std::string Lower(const std::string& text) {
  std::string out;
  for (char c : text) out += static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Upper(const std::string& text) {
  std::string out;
  for (char c : text) out += static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace TextValue
