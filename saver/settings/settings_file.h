// The settings file "Quiverglide.ini": where it lives, reading and writing
// one key, and the music settings it holds.
#pragma once

#include <cstdint>
#include <string>

#include "file_system.h"
#include "settings/code_page.h"

namespace qg {

extern const char kSettingsFileName[];  // "Quiverglide.ini"
extern const char kSettingsSection[];   // "Section"
extern const char kKeyKind[];           // "BGM区分"
extern const char kKeyRepeat[];         // "BGMﾘﾋﾟｰﾄ"
extern const char kKeyFile[];           // "BGMﾌｧｲﾙ"

// Files above this size are not settings files: read as empty, never rewritten.
constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

// Where the settings file is, chosen anew on every call: beside the program
// when the program folder is writable by this user (a portable install, the
// build folder); otherwise $XDG_CONFIG_HOME/quiverglide/Quiverglide.ini, or
// ~/.config/quiverglide/Quiverglide.ini when XDG_CONFIG_HOME is unset or not
// an absolute path.
std::string ChooseSettingsFilePath(FileSystem& fs);

// The value of a key as UTF-8; "" for a missing file, section or key, and
// for a file that is not readable or too large. No length limit.
std::string ReadProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                              const std::string& path);

// Sets one key, creating the file, its folder (for the per-user location) and
// the section when missing. Names are cut to 128 characters. False when the
// file could not be written; a file that could not be read whole (too large,
// unreadable) is left as it is.
bool WriteProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

struct MusicSettingsValues {
  std::int16_t kind = 0;
  std::int16_t repeat = 0;
  std::string file;
  std::string folder;
};

// Fills the four values from the file (the path chosen anew for each read).
void LoadMusicSettings(FileSystem& fs, CodePage& cp, MusicSettingsValues& values);
// Writes kind, repeat and file, in that order, each with its own write: all
// three or none. A file that cannot be read whole is never rewritten, and one
// that a later write failed on is put back as it was. False when the settings
// were not saved.
bool SaveMusicSettings(FileSystem& fs, CodePage& cp, const MusicSettingsValues& values);

}  // namespace qg
