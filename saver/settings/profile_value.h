// How a value in memory (UTF-8, or any bytes for a Linux path) becomes the
// bytes of a profile line and back without loss.
//
// Plain form: the value in the file's encoding (code page 932, or UTF-8 in a
// file that starts with a UTF-8 byte-order mark), used whenever it reads back
// unchanged. Escaped form, for everything else (a character code page 932
// lacks, a line break, blanks or quotes around the value, bytes that are not
// UTF-8): the three bytes EF BB BF, then the value's bytes with "%XX" for
// control bytes, blanks, "%", quotes and DEL. Code page 932 has no character
// starting with EF BB, so no plain value can be taken for an escaped one.
#pragma once

#include <string>

#include "settings/code_page.h"

namespace qg {

std::string EncodeProfileValue(const std::string& value, CodePage& cp, bool utf8_file);
std::string DecodeProfileValue(const std::string& bytes, CodePage& cp, bool utf8_file);

// Converts a name (section or key) for the file; false when it cannot be.
bool EncodeProfileName(const std::string& name, CodePage& cp, bool utf8_file, std::string& bytes);

// The section and key of a write: each cut to 128 characters and converted;
// false when one cannot be converted or would make a different line (a line
// break, "=" in the key, "]" in the section, an empty key).
bool EncodeWrittenNames(const std::string& section, const std::string& key, CodePage& cp, bool utf8_file,
                        std::string& section_bytes, std::string& key_bytes);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(const std::string& s);

}  // namespace qg
