// The values a user control keeps in its form's property bag, and the
// conversions a control applies when it reads them back. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace qgf {

// A font as the property bag keeps it: the whole font travels together.
struct FontSpec {
  std::string face;
  double points = 9.0;
  int weight = 400;  // 400 regular, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 0;  // 128 = Japanese (Shift-JIS)

  bool operator==(const FontSpec& o) const {
    return face == o.face && points == o.points && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
  }
  bool operator!=(const FontSpec& o) const { return !(*this == o); }
};

using PropertyValue = std::variant<bool, std::uint8_t, std::int16_t, std::int32_t, std::string, FontSpec>;

// Each gives nothing when the value does not convert (wrong kind, text that is
// not a number, a number out of range): the caller then keeps its field.
// Numbers and booleans convert among each other as the form runtime does
// (true is -1, any non-zero number is true); texts must be whole numbers or
// "True"/"False".
std::optional<bool> AsBool(const PropertyValue& v);
std::optional<std::uint8_t> AsByte(const PropertyValue& v);
std::optional<std::int16_t> AsInt16(const PropertyValue& v);
std::optional<std::int32_t> AsInt32(const PropertyValue& v);
std::optional<std::string> AsText(const PropertyValue& v);
std::optional<FontSpec> AsFont(const PropertyValue& v);

// A whole decimal number: an optional sign, then digits only; nothing when the
// text is not one or lies beyond a long long.
std::optional<long long> WholeNumber(std::string_view text);

// Whether a value equals a write default after the default is converted to the
// value's own kind (so byte 1 equals the default text "1").
bool EqualsDefault(const PropertyValue& value, const PropertyValue& def);

}  // namespace qgf
