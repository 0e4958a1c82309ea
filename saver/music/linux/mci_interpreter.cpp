#include "mci_interpreter.h"

#include <algorithm>

#include "cd_device.h"
#include "cd_disc.h"
#include "file_device.h"
#include "file_voice.h"
#include "mci_codes.h"
#include "mci_words.h"

namespace qg::music {

namespace {

enum class Kind { kUnknown, kFile, kCd };

Kind KindOfType(const std::string& type) {
  if (SameWord(type, "MPEGVideo") || SameWord(type, "MPEGVideo2") || SameWord(type, "waveaudio")) return Kind::kFile;
  if (SameWord(type, "cdaudio")) return Kind::kCd;
  return Kind::kUnknown;
}

// The device type an untyped file name implies, from its extension.
int32_t KindOfName(const std::string& name, Kind& kind) {
  if (SameWord(name, "cdaudio")) {
    kind = Kind::kCd;
    return 0;
  }
  size_t dot = name.rfind('.');
  size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return kMciErrInvalidDeviceName;
  std::string ext = LowerWord(name.substr(dot + 1));
  static const char* const kFiles[] = {"mp3", "mp2", "mpa", "wav", "flac", "ogg", "aif", "aiff", "au"};
  for (const char* known : kFiles) {
    if (ext == known) {
      kind = Kind::kFile;
      return 0;
    }
  }
  return kMciErrExtensionNotFound;
}

bool IsVerb(const std::string& verb) {
  static const char* const kVerbs[] = {"open", "close", "play", "stop", "pause", "resume", "seek", "status", "set"};
  return std::find(std::begin(kVerbs), std::end(kVerbs), verb) != std::end(kVerbs);
}

// Verbs of the platform's MCI that these devices do not carry out.
bool IsOtherVerb(const std::string& verb) {
  static const char* const kOther[] = {"record", "save", "load", "cue", "info", "capability", "sysinfo", "window",
                                       "put", "where", "update", "step", "freeze", "unfreeze", "setaudio",
                                       "setvideo", "cut", "copy", "paste", "delete", "break", "sound", "spin",
                                       "escape", "configure", "signal", "realize", "list", "undo", "monitor"};
  return std::find(std::begin(kOther), std::end(kOther), verb) != std::end(kOther);
}

}  // namespace

MciInterpreter::~MciInterpreter() {
  std::lock_guard<std::mutex> lock(mutex_);
  devices_.clear();
}

MciInterpreter::OpenDevice* MciInterpreter::Find(const std::string& name) {
  for (OpenDevice& open : devices_) {
    if (SameWord(open.alias, LowerWord(name).c_str())) return &open;
  }
  return nullptr;
}

int32_t MciInterpreter::Send(const std::string& command, std::string& reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  reply.clear();
  MciWords split = SplitMciCommand(command);
  if (split.error) return split.error;
  std::vector<std::string>& words = split.words;
  if (words.empty()) return kMciErrMissingCommandString;
  std::string verb = LowerWord(words[0]);
  bool other = IsOtherVerb(verb);
  if (!IsVerb(verb) && !other) return kMciErrUnrecognizedCommand;
  if (words.size() < 2) return kMciErrMissingDeviceName;
  if (verb == "open") return Open(words, reply);
  if (SameWord(words[1], "all") && (verb == "close" || verb == "stop")) {
    if (verb == "close") {
      devices_.clear();
    } else {
      std::string ignored;
      for (OpenDevice& open : devices_) open.device->Command("stop", {}, ignored);
    }
    return 0;
  }
  OpenDevice* open = Find(words[1]);
  if (!open) return kMciErrInvalidDeviceName;
  if (other) return kMciErrUnsupportedFunction;
  if (verb == "close") return Close(words[1]);
  std::vector<std::string> args(words.begin() + 2, words.end());
  int32_t code = open->device->Command(verb, args, reply);
  if (code) reply.clear();
  return code;
}

int32_t MciInterpreter::Close(const std::string& name) {
  for (auto it = devices_.begin(); it != devices_.end(); ++it) {
    if (SameWord(it->alias, LowerWord(name).c_str())) {
      devices_.erase(it);
      return 0;
    }
  }
  return kMciErrInvalidDeviceName;
}

int32_t MciInterpreter::Open(const std::vector<std::string>& words, std::string& reply) {
  const std::string& name = words[1];
  std::string type, alias;
  for (size_t i = 2; i < words.size(); ++i) {
    if (SameWord(words[i], "type") || SameWord(words[i], "alias")) {
      if (i + 1 >= words.size()) return kMciErrMissingParameter;
      (SameWord(words[i], "type") ? type : alias) = words[i + 1];
      ++i;
    } else if (!SameWord(words[i], "shareable") && !SameWord(words[i], "wait") && !SameWord(words[i], "notify")) {
      return kMciErrUnrecognizedKeyword;
    }
  }
  Kind kind = Kind::kUnknown;
  if (!type.empty()) {
    kind = KindOfType(type);
    if (kind == Kind::kUnknown) return kMciErrInvalidDeviceName;
  } else if (int32_t code = KindOfName(name, kind)) {
    return code;
  }
  std::string as = alias.empty() ? name : alias;
  if (Find(as)) return alias.empty() ? kMciErrDeviceOpen : kMciErrDuplicateAlias;

  std::unique_ptr<MciDevice> device;
  if (kind == Kind::kCd) {
    // The drive or image is opened on the CD player's own thread.
    device = std::make_unique<CdDevice>(output_, CdDisc::ChosenSource());
  } else {
    std::unique_ptr<FileVoice> voice;
    if (int32_t code = FileVoice::Open(name, voice)) return code;
    if (!output_.Open()) return kMciErrCannotLoadDriver;
    device = std::make_unique<FileDevice>(output_, std::shared_ptr<FileVoice>(std::move(voice)));
  }
  OpenDevice entry;
  entry.alias = as;
  entry.id = next_id_++;
  entry.device = std::move(device);
  reply = std::to_string(entry.id);
  devices_.push_back(std::move(entry));
  return 0;
}

}  // namespace qg::music
