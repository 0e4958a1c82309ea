// The keyed store in which a form keeps the designed properties of each user
// control placed on it: read a key with a default, write a key with a default
// that is not stored. Platform-free.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "property_value.h"

namespace qgf {

class PropertyBag {
 public:
  // The stored value, or `def` when the key is absent.
  PropertyValue Read(const std::string& key, const PropertyValue& def) const;
  // Stores the value, or removes the key when the value equals the default
  // (EqualsDefault), so that the default is what a later read gives back.
  void Write(const std::string& key, const PropertyValue& value, const PropertyValue& def);

  bool Contains(const std::string& key) const;
  std::size_t size() const { return entries_.size(); }
  // Raw access for the file reader and writer; keys keep the order of their first write.
  void Set(const std::string& key, PropertyValue value);
  const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace qgf
