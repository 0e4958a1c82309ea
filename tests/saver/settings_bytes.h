// The settings file's keys in code page 932 bytes, written out here rather
// than taken from the program, so that a misspelt key shows; and a whole file
// as the program writes it (code page 932, CRLF), for the tests on both
// platforms.
#pragma once

#include <string>

namespace qgtest {

inline const std::string kKindKey = "BGM\x8b\xe6\x95\xaa";        // BGM区分
inline const std::string kRepeatKey = "BGM\xd8\xcb\xdf\xb0\xc4";  // BGMﾘﾋﾟｰﾄ
inline const std::string kFileKey = "BGM\xcc\xa7\xb2\xd9";        // BGMﾌｧｲﾙ

inline std::string SettingsText(const std::string& kind, const std::string& repeat, const std::string& file) {
  return "[Section]\r\n" + kKindKey + "=" + kind + "\r\n" + kRepeatKey + "=" + repeat + "\r\n" + kFileKey + "=" + file +
         "\r\n";
}

}  // namespace qgtest
