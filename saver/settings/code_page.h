// The code page of the settings file, at the file's edge: text is UTF-8 in
// memory and converted only where it becomes file bytes.
#pragma once

#include <string>

namespace qg {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // UTF-8 to the code page; false when some character has no code there.
  virtual bool FromUtf8(const std::string& utf8, std::string& bytes) = 0;
  // The code page to UTF-8; false when the bytes are not valid there.
  virtual bool ToUtf8(const std::string& bytes, std::string& utf8) = 0;
};

// Code page 932 (Windows' Japanese code page; glibc's "CP932", which differs
// from "SHIFT_JIS" in characters such as "～" and "−").
CodePage& Cp932();

}  // namespace qg
