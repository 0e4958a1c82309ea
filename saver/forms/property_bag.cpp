#include "forms/property_bag.h"

#include <algorithm>

namespace qgf {

PropertyValue PropertyBag::Read(const std::string& key, const PropertyValue& def) const {
  for (const auto& e : entries_)
    if (e.first == key) return e.second;
  return def;
}

void PropertyBag::Write(const std::string& key, const PropertyValue& value, const PropertyValue& def) {
  if (EqualsDefault(value, def)) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; }),
                   entries_.end());
    return;
  }
  Set(key, value);
}

bool PropertyBag::Contains(const std::string& key) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
}

void PropertyBag::Set(const std::string& key, PropertyValue value) {
  for (auto& e : entries_)
    if (e.first == key) {
      e.second = std::move(value);
      return;
    }
  entries_.emplace_back(key, std::move(value));
}

}  // namespace qgf
