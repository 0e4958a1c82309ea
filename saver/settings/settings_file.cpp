#include "settings/settings_file.h"

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

void SaveMusicSettings(FileSystem& fs, CodePage& cp, const MusicSettingsValues& v) {
  WriteProfileString(fs, cp, kSettingsSection, kKeyKind, DecimalText(v.kind), ChooseSettingsFilePath(fs));
  WriteProfileString(fs, cp, kSettingsSection, kKeyRepeat, DecimalText(v.repeat), ChooseSettingsFilePath(fs));
  WriteProfileString(fs, cp, kSettingsSection, kKeyFile, v.file, ChooseSettingsFilePath(fs));
}

}  // namespace qg
