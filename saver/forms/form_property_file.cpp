#include "forms/form_property_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qgf {

namespace {

std::string EscapeText(std::string_view s, bool escape_bar) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F || (escape_bar && c == '|')) {
          char buf[5];
          std::snprintf(buf, sizeof buf, "\\x%02X", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool UnescapeText(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        if (i + 2 >= s.size()) return false;
        int hi = Hex(s[i + 1]), lo = Hex(s[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

bool ParseInteger(std::string_view s, long long lo, long long hi, long long& out) {
  const std::optional<long long> v = WholeNumber(s);
  if (!v || *v < lo || *v > hi) return false;
  out = *v;
  return true;
}

// Locale-independent reading of font sizes ("9.75"): at most two decimals,
// kept as whole hundredths so that writing gives back the same text.
bool ParsePoints(std::string_view s, double& out) {
  if (s.empty() || s.size() > 8) return false;
  long long hundredths = 0;
  int decimals = -1;
  bool digits = false;
  for (char c : s) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (decimals >= 0 && ++decimals > 2) return false;
      hundredths = hundredths * 10 + (c - '0');
    } else {
      return false;
    }
  }
  if (!digits) return false;
  for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d) hundredths *= 10;
  if (hundredths > 1000000) return false;
  out = static_cast<double>(hundredths) / 100.0;
  return true;
}

std::string FormatPoints(double p) {
  // Two decimals are enough for point sizes; trailing zeros are dropped.
  long long hundredths = std::llround(p * 100);
  std::string s = std::to_string(hundredths / 100);
  long long frac = hundredths % 100;
  if (frac != 0) {
    s += '.';
    s += static_cast<char>('0' + frac / 10);
    if (frac % 10) s += static_cast<char>('0' + frac % 10);
  }
  return s;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i)
    if (i == s.size() || s[i] == sep) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}

}  // namespace

std::string EncodePropertyValue(const PropertyValue& v) {
  switch (v.index()) {
    case 0: return std::get<bool>(v) ? "bool:True" : "bool:False";
    case 1: return "byte:" + std::to_string(std::get<std::uint8_t>(v));
    case 2: return "i16:" + std::to_string(std::get<std::int16_t>(v));
    case 3: return "i32:" + std::to_string(std::get<std::int32_t>(v));
    case 4: return "text:" + EscapeText(std::get<std::string>(v), false);
    default: {
      const FontSpec& f = std::get<FontSpec>(v);
      return "font:" + EscapeText(f.face, true) + "|" + FormatPoints(f.points) + "|" + std::to_string(f.weight) +
             "|" + (f.italic ? "1" : "0") + "|" + (f.underline ? "1" : "0") + "|" +
             (f.strikethrough ? "1" : "0") + "|" + std::to_string(f.charset);
    }
  }
}

bool DecodePropertyValue(std::string_view text, PropertyValue& out) {
  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view kind = text.substr(0, colon), value = text.substr(colon + 1);
  long long n = 0;
  if (kind == "bool") {
    if (value == "True") out = true;
    else if (value == "False") out = false;
    else return false;
    return true;
  }
  if (kind == "byte") {
    if (!ParseInteger(value, 0, 255, n)) return false;
    out = static_cast<std::uint8_t>(n);
    return true;
  }
  if (kind == "i16") {
    if (!ParseInteger(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(), n))
      return false;
    out = static_cast<std::int16_t>(n);
    return true;
  }
  if (kind == "i32") {
    if (!ParseInteger(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), n))
      return false;
    out = static_cast<std::int32_t>(n);
    return true;
  }
  if (kind == "text") {
    std::string s;
    if (!UnescapeText(value, s)) return false;
    out = std::move(s);
    return true;
  }
  if (kind == "font") {
    std::vector<std::string_view> f = Split(value, '|');
    if (f.size() != 7) return false;
    FontSpec font;
    long long weight = 0, italic = 0, underline = 0, strike = 0, charset = 0;
    if (!UnescapeText(f[0], font.face) || !ParsePoints(f[1], font.points) || !ParseInteger(f[2], 0, 1000, weight) ||
        !ParseInteger(f[3], 0, 1, italic) || !ParseInteger(f[4], 0, 1, underline) ||
        !ParseInteger(f[5], 0, 1, strike) || !ParseInteger(f[6], 0, 255, charset))
      return false;
    font.weight = static_cast<int>(weight);
    font.italic = italic != 0;
    font.underline = underline != 0;
    font.strikethrough = strike != 0;
    font.charset = static_cast<int>(charset);
    out = std::move(font);
    return true;
  }
  return false;
}

PropertyBag* FormProperties::Find(const std::string& control) {
  for (auto& c : controls)
    if (c.first == control) return &c.second;
  return nullptr;
}

const PropertyBag* FormProperties::Find(const std::string& control) const {
  for (const auto& c : controls)
    if (c.first == control) return &c.second;
  return nullptr;
}

PropertyBag& FormProperties::Ensure(const std::string& control) {
  if (PropertyBag* b = Find(control)) return *b;
  controls.emplace_back(control, PropertyBag{});
  return controls.back().second;
}

FormProperties ParseFormProperties(std::string_view text) {
  FormProperties form;
  PropertyBag* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.size() < 3 || line.back() != ']' || line.find(']') != line.size() - 1) {
        ++form.skipped_lines;
        current = nullptr;
        continue;
      }
      current = &form.Ensure(std::string(line.substr(1, line.size() - 2)));
      continue;
    }
    std::size_t eq = line.find('=');
    PropertyValue value;
    if (!current || eq == 0 || eq == std::string_view::npos || !DecodePropertyValue(line.substr(eq + 1), value)) {
      ++form.skipped_lines;
      continue;
    }
    current->Set(std::string(line.substr(0, eq)), std::move(value));
  }
  return form;
}

std::string SerializeFormProperties(const FormProperties& form) {
  std::string out = "; Quiverglide form properties\n";
  for (const auto& c : form.controls) {
    out += "[" + c.first + "]\n";
    for (const auto& e : c.second.Entries()) out += e.first + "=" + EncodePropertyValue(e.second) + "\n";
  }
  return out;
}

}  // namespace qgf
