#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qg {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Copies the number-shaped prefix of text (blanks dropped) into a form strtod
// reads in the C locale's way; returns "" when no digit was seen.
std::string NumberPrefix(const std::string& text) {
  std::string out;
  std::size_t i = 0, n = text.size();
  auto skip = [&] {
    while (i < n && IsBlank(text[i])) ++i;
  };
  skip();
  if (i < n && (text[i] == '+' || text[i] == '-')) out += text[i++];
  bool digits = false, point = false;
  for (;;) {
    skip();
    if (i >= n) break;
    char c = text[i];
    if (IsDigit(c)) {
      out += c;
      digits = true;
      ++i;
    } else if (c == '.' && !point) {
      out += c;
      point = true;
      ++i;
    } else {
      break;
    }
  }
  if (!digits) return {};
  // Exponent: only taken when digits follow it.
  skip();
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    while (j < n && IsBlank(text[j])) ++j;
    if (j < n && (text[j] == '+' || text[j] == '-')) exp += text[j++];
    bool exp_digits = false;
    for (;;) {
      while (j < n && IsBlank(text[j])) ++j;
      if (j < n && IsDigit(text[j])) {
        // Keep the exponent bounded; strtod saturates anyway.
        if (exp.size() < 12) exp += text[j];
        exp_digits = true;
        ++j;
      } else {
        break;
      }
    }
    if (exp_digits) out += exp;
  }
  return out;
}

double ParseC(const std::string& s) {
  // strtod honours the C locale's decimal point; the program never changes it.
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (!std::isfinite(v)) return v;
  return v;
}

}  // namespace

double Val(const std::string& text) {
  std::string prefix = NumberPrefix(text);
  if (prefix.empty()) return 0.0;
  return ParseC(prefix);
}

std::uint32_t ReadWindowHandle(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    unsigned long long v = 0;
    bool any = false;
    for (i += 2; i < text.size(); ++i) {
      char c = text[i];
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else break;
      v = v * 16 + unsigned(d);
      any = true;
      if (v > 0xFFFFFFFFull) return 0;
    }
    return any ? std::uint32_t(v) : 0;
  }
  double v = Val(text);
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);  // the default rounding mode is half to even
  if (r < double(std::numeric_limits<std::int32_t>::min()) || r > double(std::numeric_limits<std::int32_t>::max()))
    return 0;
  return std::uint32_t(std::int32_t(r));
}

std::optional<std::int16_t> ReadSettingNumber(const std::string& text) {
  if (text.empty()) return std::int16_t(0);
  std::size_t i = 0, n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  std::size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < n && IsDigit(text[i])) ++i, digits = true;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    bool exp_digits = false;
    while (j < n && IsDigit(text[j])) ++j, exp_digits = true;
    if (!exp_digits) return std::nullopt;
    i = j;
  }
  std::size_t end = i;
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return std::nullopt;
  double v = ParseC(text.substr(start, end - start));
  if (!std::isfinite(v)) return std::nullopt;
  double f = std::floor(v);
  if (f < -32768.0 || f > 32767.0) return std::nullopt;
  return std::int16_t(f);
}

std::string FormatHash(double value) {
  if (!std::isfinite(value)) return {};
  double r = std::round(value);  // half away from zero
  if (r == 0) return {};
  if (std::fabs(r) < 1e18) return DecimalText((long long)r);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0f", r);
  return buf;
}

std::string DecimalText(long long value) { return std::to_string(value); }

}  // namespace qg
