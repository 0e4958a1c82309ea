#include "forms/property_value.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace qgf {

std::optional<long long> WholeNumber(std::string_view t) {
  if (t.empty() || t.size() > 20) return std::nullopt;
  std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return std::nullopt;
  for (std::size_t k = i; k < t.size(); ++k)
    if (t[k] < '0' || t[k] > '9') return std::nullopt;
  errno = 0;
  long long v = std::strtoll(std::string(t).c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return v;
}

namespace {

// A whole decimal number with optional blanks around it.
std::optional<long long> TextToInteger(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  std::size_t e = s.find_last_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  return WholeNumber(std::string_view(s).substr(b, e - b + 1));
}

std::optional<long long> AsInteger(const PropertyValue& v) {
  if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;
  if (auto u = std::get_if<std::uint8_t>(&v)) return *u;
  if (auto s = std::get_if<std::int16_t>(&v)) return *s;
  if (auto l = std::get_if<std::int32_t>(&v)) return *l;
  if (auto t = std::get_if<std::string>(&v)) return TextToInteger(*t);
  return std::nullopt;
}

template <typename T>
std::optional<T> InRange(std::optional<long long> v) {
  if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) return std::nullopt;
  return static_cast<T>(*v);
}

}  // namespace

std::optional<bool> AsBool(const PropertyValue& v) {
  if (auto b = std::get_if<bool>(&v)) return *b;
  if (auto t = std::get_if<std::string>(&v)) {
    if (*t == "True" || *t == "true") return true;
    if (*t == "False" || *t == "false") return false;
  }
  if (auto n = AsInteger(v)) return *n != 0;
  return std::nullopt;
}

std::optional<std::uint8_t> AsByte(const PropertyValue& v) { return InRange<std::uint8_t>(AsInteger(v)); }
std::optional<std::int16_t> AsInt16(const PropertyValue& v) { return InRange<std::int16_t>(AsInteger(v)); }
std::optional<std::int32_t> AsInt32(const PropertyValue& v) { return InRange<std::int32_t>(AsInteger(v)); }

std::optional<std::string> AsText(const PropertyValue& v) {
  if (auto t = std::get_if<std::string>(&v)) return *t;
  if (auto b = std::get_if<bool>(&v)) return std::string(*b ? "True" : "False");
  if (std::holds_alternative<FontSpec>(v)) return std::nullopt;
  if (auto n = AsInteger(v)) return std::to_string(*n);
  return std::nullopt;
}

std::optional<FontSpec> AsFont(const PropertyValue& v) {
  if (auto f = std::get_if<FontSpec>(&v)) return *f;
  return std::nullopt;
}

bool EqualsDefault(const PropertyValue& value, const PropertyValue& def) {
  switch (value.index()) {
    case 0: { auto d = AsBool(def); return d && *d == std::get<bool>(value); }
    case 1: { auto d = AsByte(def); return d && *d == std::get<std::uint8_t>(value); }
    case 2: { auto d = AsInt16(def); return d && *d == std::get<std::int16_t>(value); }
    case 3: { auto d = AsInt32(def); return d && *d == std::get<std::int32_t>(value); }
    case 4: { auto d = AsText(def); return d && *d == std::get<std::string>(value); }
    default: { auto d = AsFont(def); return d && *d == std::get<FontSpec>(value); }
  }
}

}  // namespace qgf
