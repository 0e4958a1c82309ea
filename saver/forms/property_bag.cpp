#include "forms/property_bag.h"

#include "number_text.h"

namespace qgf {

std::int32_t PropertyAsInt(const PropertyValue& value) {
  struct V {
    std::int32_t operator()(bool b) const { return b ? -1 : 0; }
    std::int32_t operator()(std::uint8_t v) const { return v; }
    std::int32_t operator()(std::int16_t v) const { return v; }
    std::int32_t operator()(std::int32_t v) const { return v; }
    std::int32_t operator()(const std::string& s) const {
      double d = qg::Val(s);
      if (!(d >= -2147483648.0 && d <= 2147483647.0)) return 0;
      return std::int32_t(d);
    }
    std::int32_t operator()(const Font&) const { return 0; }
  };
  return std::visit(V{}, value);
}

bool PropertyAsBool(const PropertyValue& value) {
  if (auto s = std::get_if<std::string>(&value)) {
    if (*s == "True" || *s == "true") return true;
    if (*s == "False" || *s == "false") return false;
  }
  return PropertyAsInt(value) != 0;
}

std::string PropertyAsText(const PropertyValue& value) {
  if (auto s = std::get_if<std::string>(&value)) return *s;
  if (auto b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  if (auto f = std::get_if<Font>(&value)) return f->name;
  return qg::DecimalText(PropertyAsInt(value));
}

PropertyValue PropertyBag::Read(const std::string& key, const PropertyValue& default_value) const {
  auto it = values_.find(key);
  return it == values_.end() ? default_value : it->second;
}

void PropertyBag::Write(const std::string& key, const PropertyValue& value, const PropertyValue& default_value) {
  if (value == default_value) {
    values_.erase(key);
    return;
  }
  values_[key] = value;
}

}  // namespace qgf
