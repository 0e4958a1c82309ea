#include "settings/settings_file.h"

#include <utility>

#include "number_text.h"
#include "path_helpers.h"

namespace qg {

const char kSettingsFileName[] = "Quiverglide.ini";
const char kSettingsSection[] = "Section";
const char kKeyKind[] = "BGM区分";
const char kKeyRepeat[] = "BGMﾘﾋﾟｰﾄ";
const char kKeyFile[] = "BGMﾌｧｲﾙ";

namespace {

std::string PerUserFolder(FileSystem& fs) {
  std::string base = fs.Env("XDG_CONFIG_HOME");
  if (base.empty() || base[0] != '/') {
    std::string home = fs.HomeFolder();
    if (home.empty()) return {};
    base = JoinPath(home, ".config");
  }
  return JoinPath(base, "quiverglide");
}

}  // namespace

std::string ChooseSettingsFilePath(FileSystem& fs) {
  std::string program = fs.ProgramFolder();
  if (fs.IsWritableFolder(program)) return JoinPath(program, kSettingsFileName);
  std::string folder = PerUserFolder(fs);
  if (folder.empty()) return JoinPath(program, kSettingsFileName);
  return JoinPath(folder, kSettingsFileName);
}

void LoadMusicSettings(FileSystem& fs, CodePage& cp, MusicSettingsValues& v) {
  if (auto n = ReadSettingNumber(ReadProfileString(fs, cp, kSettingsSection, kKeyKind, ChooseSettingsFilePath(fs))))
    v.kind = *n;  // a text that is no 16-bit number leaves the value as it was
  if (auto n = ReadSettingNumber(ReadProfileString(fs, cp, kSettingsSection, kKeyRepeat, ChooseSettingsFilePath(fs))))
    v.repeat = *n;
  std::string file = ReadProfileString(fs, cp, kSettingsSection, kKeyFile, ChooseSettingsFilePath(fs));
  if (file.empty() || !FileExists(fs, file)) {
    v.file.clear();
    if (v.kind == 2) v.kind = 0;
  } else {
    v.file = file;
  }
  v.folder = v.file.empty() ? fs.ProgramFolder() : FolderOfPath(v.file);
}

bool SaveMusicSettings(FileSystem& fs, CodePage& cp, const MusicSettingsValues& v) {
  const std::string path = ChooseSettingsFilePath(fs);
  std::string before;
  const ReadStatus was = fs.ReadFile(path, kMaxSettingsFileBytes, before);
  if (was != ReadStatus::Ok && was != ReadStatus::Missing) return false;
  const std::pair<const char*, std::string> keys[] = {
      {kKeyKind, DecimalText(v.kind)}, {kKeyRepeat, DecimalText(v.repeat)}, {kKeyFile, v.file}};
  int written = 0;
  for (const auto& [key, value] : keys) {
    if (!WriteProfileString(fs, cp, kSettingsSection, key, value, ChooseSettingsFilePath(fs))) break;
    ++written;
  }
  if (written == 3) return true;
  // Half a choice would be read as the user's: the file goes back as it was.
  if (written > 0 && was == ReadStatus::Ok) fs.ReplaceFile(path, before);
  if (written > 0 && was == ReadStatus::Missing) fs.RemoveFile(path);
  return false;
}

}  // namespace qg
