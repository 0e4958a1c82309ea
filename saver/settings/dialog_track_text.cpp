#include "dialog_track_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace Wobblevista_P_Track {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole (trimmed) text must be a decimal number.
bool ParseDecimal(const std::string& text, double& out) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e || e - b > 64) return false;
  std::size_t i = b;
  if (text[i] == '+' || text[i] == '-') ++i;
  bool digits = false;
  while (i < e && IsDigit(text[i])) ++i, digits = true;
  if (i < e && text[i] == '.') {
    ++i;
    while (i < e && IsDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return false;
  if (i < e && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
    bool exp_digits = false;
    while (i < e && IsDigit(text[i])) ++i, exp_digits = true;
    if (!exp_digits) return false;
  }
  if (i != e) return false;
  out = std::strtod(text.substr(b, e - b).c_str(), nullptr);
  return std::isfinite(out);
}

}  // namespace

std::int16_t TrackFromText(const std::string& text) {
  double v = 0;
  if (!ParseDecimal(text, v)) return 0;
  const double r = std::nearbyint(v);  // the default rounding mode: a half to even
  if (r < -32768.0 || r > 32767.0) return 0;
  return static_cast<std::int16_t>(r);
}

}  // namespace Wobblevista_P_Track
