// A profile (ini) file's text, read and edited as bytes in the file's own
// encoding. Behaves as the platform's profile functions do: sections and keys
// match without regard to ASCII case, the first matching section and key win,
// blanks around keys and values are trimmed and one pair of quotes around a
// value is removed on reading; ";" starts a comment line; lines end with CR,
// LF or CRLF. A write changes or adds one line; every other byte of the file
// stays as it was, and the lines written end with CRLF.
#pragma once

#include <optional>
#include <string>

namespace qg {
namespace profile {

// The value of key in section, or nothing when the section or key is missing.
std::optional<std::string> GetValue(const std::string& text, const std::string& section, const std::string& key);

// The text with key in section set to value: the key's line replaced in
// place (its spelling kept), or a line added at the end of the section's
// entries, or the section added at the end of the text.
std::string SetValue(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& value);

// The text starts with a UTF-8 byte-order mark: its names and values are
// UTF-8, not the code page.
bool HasUtf8Bom(const std::string& text);

// ASCII-case-insensitive equality that skips the second byte of code page 932
// double-byte characters (which may be ASCII letters).
bool NamesEqual(const std::string& a, const std::string& b);

}  // namespace profile
}  // namespace qg
