// The two operations a control needs of its host form's property store.
#pragma once

#include <string>

#include "property_value.h"

namespace Wobblevista {

class PropertyStore {
 public:
  virtual ~PropertyStore() = default;
  // The stored value, or `def` when the key is absent.
  virtual PropertyValue ReadProperty(const std::string& key, const PropertyValue& def) const = 0;
  // Stores the value; nothing is stored when it equals the default.
  virtual void WriteProperty(const std::string& key, const PropertyValue& value, const PropertyValue& def) = 0;
};

}  // namespace Wobblevista
