// The keyed store in which a form keeps the designed properties of each user
// control placed on it. Platform-free.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "types.h"

namespace qgf {

using PropertyValue = std::variant<bool, std::uint8_t, std::int16_t, std::int32_t, std::string, Font>;

// Numeric reading of a value whatever its stored kind ("0" texts included);
// 0 when it has none.
std::int32_t PropertyAsInt(const PropertyValue& value);
bool PropertyAsBool(const PropertyValue& value);
std::string PropertyAsText(const PropertyValue& value);

class PropertyBag {
 public:
  // The stored value, or the default when the key is absent.
  PropertyValue Read(const std::string& key, const PropertyValue& default_value) const;
  // Stores the value; a value equal to the default is not stored (and an
  // older stored value under that key is removed).
  void Write(const std::string& key, const PropertyValue& value, const PropertyValue& default_value);
  bool Contains(const std::string& key) const { return values_.count(key) != 0; }
  std::size_t size() const { return values_.size(); }

 private:
  std::map<std::string, PropertyValue> values_;
};

}  // namespace qgf
