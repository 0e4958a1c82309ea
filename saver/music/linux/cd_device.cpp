#include "cd_device.h"

#include "mci_codes.h"
#include "mci_words.h"

namespace qg::music {

CdDevice::CdDevice(AudioOutput& output, const std::string& source)
    : output_(output), player_(std::make_shared<CdPlayer>()) {
  player_->Start(source);
}

CdDevice::~CdDevice() {
  if (voice_added_) output_.Remove(player_.get());
  player_->Shutdown(std::chrono::milliseconds(100));
}

int32_t CdDevice::ReadyDisc(DiscToc& toc) {
  switch (player_->State(kOpenWait, &toc)) {
    case CdPlayer::DiscState::kReady:
      return 0;
    case CdPlayer::DiscState::kOpening:
      return kMciErrDeviceNotReady;
    case CdPlayer::DiscState::kNoDisc:
      break;
  }
  return kMciErrHardware;
}

int32_t CdDevice::Position(const std::string& text, const DiscToc& toc, int32_t& sector) {
  return ParseCdPosition(format_, toc, text, sector);
}

int32_t CdDevice::Command(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
  if (verb == "status") return Status(args, reply);
  if (verb == "set") {
    std::string what = JoinLower(args, 0, args.size());
    if (what == "time format tmsf") {
      format_ = CdTimeFormat::kTmsf;
    } else if (what == "time format msf") {
      format_ = CdTimeFormat::kMsf;
    } else if (what == "time format milliseconds" || what == "time format ms") {
      format_ = CdTimeFormat::kMilliseconds;
    } else if (what.rfind("time format", 0) == 0) {
      return kMciErrBadTimeFormat;
    } else if (what == "door open" || what == "door closed") {
      return kMciErrUnsupportedFunction;
    } else {
      return kMciErrUnrecognizedKeyword;
    }
    return 0;
  }
  MciArgs a;
  if (int32_t code = ReadPlayArgs(args, a)) return code;
  if (verb == "play") {
    if (!a.rest.empty()) return kMciErrUnrecognizedKeyword;
    return Play(a);
  }
  if (verb == "seek") {
    DiscToc toc;
    if (int32_t code = ReadyDisc(toc)) return code;
    int32_t sector = 0;
    if (!a.has_to || a.has_from || !a.rest.empty()) return kMciErrMissingParameter;
    if (SameWord(a.to, "start")) {
      sector = toc.TrackStart(toc.first_track);
    } else if (SameWord(a.to, "end")) {
      sector = toc.LeadOut();
    } else {
      if (int32_t code = Position(a.to, toc, sector)) return code;
    }
    // Seeking leaves the disc stopped at the new place.
    player_->Play(sector, sector);
    return 0;
  }
  if (!a.rest.empty() || a.has_from || a.has_to) return kMciErrUnrecognizedKeyword;
  DiscToc toc;
  if (int32_t code = ReadyDisc(toc)) return code;
  return Transport(verb, *player_);
}

int32_t CdDevice::Play(const MciArgs& a) {
  DiscToc toc;
  if (int32_t code = ReadyDisc(toc)) return code;
  int32_t from = player_->PositionSector();
  int32_t to = -1;
  if (a.has_from) {
    if (int32_t code = Position(a.from, toc, from)) return code;
  }
  if (a.has_to) {
    if (int32_t code = Position(a.to, toc, to)) return code;
  }
  // The disc's audio is read digitally and played through the sound output.
  if (!output_.Open()) return kMciErrCannotLoadDriver;
  if (!voice_added_) {
    output_.Add(player_);
    voice_added_ = true;
  }
  if (!a.has_from && player_->Paused()) {
    player_->Resume();
    return 0;
  }
  player_->Play(from, to);
  return 0;
}

int32_t CdDevice::Status(const std::vector<std::string>& args, std::string& reply) {
  std::vector<std::string> words;
  std::string item = StatusItem(args, &words);
  if (item == "time format") {
    reply = format_ == CdTimeFormat::kTmsf ? "tmsf" : format_ == CdTimeFormat::kMsf ? "msf" : "milliseconds";
    return 0;
  }
  DiscToc toc;
  int32_t ready = ReadyDisc(toc);
  if (item == "mode") {
    reply = ready ? "not ready" : player_->Playing() ? "playing" : player_->Paused() ? "paused" : "stopped";
    return 0;
  }
  if (item == "media present" || item == "ready") {
    reply = ready ? "false" : "true";
    return 0;
  }
  if (ready) return ready;
  if (item == "current track") {
    reply = std::to_string(toc.TrackAt(player_->PositionSector()));
  } else if (item == "number of tracks") {
    reply = std::to_string(toc.TrackCount());
  } else if (item == "position") {
    reply = FormatCdPosition(format_, toc, player_->PositionSector());
  } else if (item == "length") {
    int32_t sectors = toc.LeadOut() - toc.TrackStart(toc.first_track);
    reply = format_ == CdTimeFormat::kMilliseconds ? std::to_string(int64_t{sectors} * 1000 / kSectorsPerSecond)
                                                   : FormatCdPosition(CdTimeFormat::kMsf, toc, sectors - kPregapSectors);
  } else if (words.size() == 3 && (item.rfind("position track ", 0) == 0 || item.rfind("length track ", 0) == 0)) {
    const std::string& number = words[2];
    int track = 0;
    if (number.empty() || number.size() > 3) return kMciErrBadInteger;
    for (char c : number) {
      if (c < '0' || c > '9') return kMciErrBadInteger;
      track = track * 10 + (c - '0');
    }
    if (track < toc.first_track || track > toc.LastTrack()) return kMciErrOutOfRange;
    if (item[0] == 'p') {
      reply = FormatTrackStart(format_, toc, track);
    } else {
      int32_t sectors = toc.starts[track - toc.first_track + 1] - toc.TrackStart(track);
      reply = format_ == CdTimeFormat::kMilliseconds
                  ? std::to_string(int64_t{sectors} * 1000 / kSectorsPerSecond)
                  : FormatCdPosition(CdTimeFormat::kMsf, toc, sectors - kPregapSectors);
    }
  } else {
    return UnknownStatusItem(item);
  }
  return 0;
}

}  // namespace qg::music
