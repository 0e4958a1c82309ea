// The text file in which a form keeps its controls' stored properties.
//
// UTF-8 text, one item per line, LF or CRLF line ends:
//   ; a comment                   (also lines starting with '#'; blank lines are ignored)
//   [Cmd_Set]                     a control's name opens its block
//   Caption=text:設定             key, '=', kind, ':', value
// Kinds and values:
//   bool:True | bool:False        byte:0..255    i16:-32768..32767    i32:32-bit integer
//   text:<escaped text>           the rest of the line; \\ \n \r \t and \xHH stand for
//                                 a backslash, LF, CR, tab and any other byte
//   font:<face>|<points>|<weight>|<italic>|<underline>|<strikethrough>|<charset>
//                                 face escaped as text ('|' written as \x7C), flags 0 or 1
// A line that does not parse, and a key before any block, is skipped and
// counted; the rest of the file still loads. A repeated key replaces the
// earlier value.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "property_bag.h"

namespace qgf {

struct FormProperties {
  // Control name -> its store; names keep the order in which they appeared.
  std::vector<std::pair<std::string, PropertyBag>> controls;
  int skipped_lines = 0;

  PropertyBag* Find(const std::string& control);
  const PropertyBag* Find(const std::string& control) const;
  PropertyBag& Ensure(const std::string& control);
};

FormProperties ParseFormProperties(std::string_view text);
std::string SerializeFormProperties(const FormProperties& form);

// Single values, as they appear after "key=" (exposed for tests).
std::string EncodePropertyValue(const PropertyValue& v);
bool DecodePropertyValue(std::string_view text, PropertyValue& out);

}  // namespace qgf
