// The keyed property store a form keeps for each of its user controls: read a
// key with a default, write a key with a default that is not stored.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "property_store.h"
#include "property_value.h"

namespace Wobblevista {

class PropertyBag : public PropertyStore {
 public:
  // The stored value, or `def` when the key is absent.
  PropertyValue ReadProperty(const std::string& key, const PropertyValue& def) const override;
  // Stores the value, or removes the key when the value equals the default,
  // so that the default is what a later read gives back.
  void WriteProperty(const std::string& key, const PropertyValue& value, const PropertyValue& def) override;

  bool Has(const std::string& key) const;
  // Raw access for the file reader and writer; keys keep the order of their first write.
  void Set(const std::string& key, PropertyValue value);
  const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace Wobblevista
