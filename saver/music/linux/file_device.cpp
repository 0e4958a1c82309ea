#include "file_device.h"

#include "mci_codes.h"
#include "mci_words.h"

namespace qg::music {

FileDevice::FileDevice(AudioOutput& output, std::shared_ptr<FileVoice> voice)
    : output_(output), voice_(std::move(voice)) {
  output_.Add(voice_);
}

FileDevice::~FileDevice() { output_.Remove(voice_.get()); }

int64_t FileDevice::ToMilliseconds(int64_t frames) const { return frames * 1000 / voice_->Rate(); }

int32_t FileDevice::Milliseconds(const std::string& text, int64_t& frame) {
  if (text.empty() || text.size() > 12) return kMciErrBadInteger;
  int64_t ms = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return kMciErrBadInteger;
    ms = ms * 10 + (c - '0');
  }
  frame = ms * voice_->Rate() / 1000;
  if (frame > voice_->Length()) return kMciErrOutOfRange;
  return 0;
}

int32_t FileDevice::Command(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
  MciArgs a;
  if (verb == "status") return Status(args, reply);
  if (verb == "set") {
    std::string what = JoinLower(args, 0, args.size());
    if (what == "time format milliseconds" || what == "time format ms") return 0;
    if (what.rfind("time format", 0) == 0) return kMciErrBadTimeFormat;
    return kMciErrUnrecognizedKeyword;
  }
  if (verb == "seek") {
    std::string where = JoinLower(args, 0, args.size());
    int64_t frame = 0;
    if (where == "to start") {
      frame = 0;
    } else if (where == "to end") {
      frame = voice_->Length();
    } else if (args.size() == 2 && SameWord(args[0], "to")) {
      if (int32_t code = Milliseconds(args[1], frame)) return code;
    } else {
      return kMciErrMissingParameter;
    }
    auto lock = output_.Lock();
    voice_->Cue(frame);
    return 0;
  }
  if (int32_t code = ReadPlayArgs(args, a)) return code;
  if (!a.rest.empty()) return kMciErrUnrecognizedKeyword;
  if (verb == "play") {
    int64_t from = -1, to = -1;
    if (a.has_from) {
      if (int32_t code = Milliseconds(a.from, from)) return code;
    }
    if (a.has_to) {
      if (int32_t code = Milliseconds(a.to, to)) return code;
    }
    auto lock = output_.Lock();
    voice_->Play(from, to, false);
    return 0;
  }
  if (a.has_from || a.has_to) return kMciErrUnrecognizedKeyword;
  auto lock = output_.Lock();
  return Transport(verb, *voice_);
}

int32_t FileDevice::Status(const std::vector<std::string>& args, std::string& reply) {
  std::string item = StatusItem(args);
  auto lock = output_.Lock();
  if (item == "mode") {
    reply = voice_->Playing() ? "playing" : voice_->Paused() ? "paused" : "stopped";
  } else if (item == "position") {
    reply = std::to_string(ToMilliseconds(voice_->Position()));
  } else if (item == "length") {
    reply = std::to_string(ToMilliseconds(voice_->Length()));
  } else if (item == "ready" || item == "media present") {
    reply = "true";
  } else if (item == "time format") {
    reply = "milliseconds";
  } else {
    return UnknownStatusItem(item);
  }
  return 0;
}

}  // namespace qg::music
