#include "cd_time.h"

#include <cstdio>

#include "mci_codes.h"

namespace qg::music {

int DiscToc::TrackAt(int32_t sector) const {
  int track = first_track;
  for (int t = first_track; t <= LastTrack(); ++t) {
    if (TrackStart(t) <= sector) track = t;
  }
  return track;
}

namespace {

std::string Msf(int32_t sectors) {
  if (sectors < 0) sectors = 0;
  int minutes = sectors / (60 * kSectorsPerSecond);
  int seconds = sectors / kSectorsPerSecond % 60;
  int frames = sectors % kSectorsPerSecond;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", minutes, seconds, frames);
  return text;
}

// Up to `max_fields` decimal fields separated by colons, each 0..255 as in
// the packed forms MCI keeps them in.
bool Fields(const std::string& text, size_t max_fields, std::vector<int>& fields) {
  fields.clear();
  size_t i = 0;
  while (true) {
    size_t start = i;
    long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      value = value * 10 + (text[i] - '0');
      if (value > 255) return false;
      ++i;
    }
    if (i == start) return false;
    fields.push_back(static_cast<int>(value));
    if (fields.size() > max_fields) return false;
    if (i == text.size()) return true;
    if (text[i] != ':') return false;
    ++i;
  }
}

}  // namespace

std::string FormatCdPosition(CdTimeFormat format, const DiscToc& toc, int32_t sector) {
  switch (format) {
    case CdTimeFormat::kTmsf: {
      if (toc.TrackCount() == 0) return "01:00:00:00";
      int track = toc.TrackAt(sector);
      char prefix[8];
      std::snprintf(prefix, sizeof prefix, "%02d:", track);
      return prefix + Msf(sector - toc.TrackStart(track));
    }
    case CdTimeFormat::kMsf:
      return Msf(sector + kPregapSectors);
    case CdTimeFormat::kMilliseconds:
      return std::to_string(static_cast<int64_t>(sector + kPregapSectors) * 1000 / kSectorsPerSecond);
  }
  return std::string();
}

std::string FormatTrackStart(CdTimeFormat format, const DiscToc& toc, int track) {
  return FormatCdPosition(format, toc, toc.TrackStart(track));
}

int32_t ParseCdPosition(CdTimeFormat format, const DiscToc& toc, const std::string& text, int32_t& sector) {
  std::vector<int> f;
  int64_t value = 0;
  switch (format) {
    case CdTimeFormat::kTmsf: {
      if (!Fields(text, 4, f)) return kMciErrBadInteger;
      f.resize(4, 0);
      if (f[0] < toc.first_track || f[0] > toc.LastTrack()) return kMciErrOutOfRange;
      value = toc.TrackStart(f[0]) + (static_cast<int64_t>(f[1]) * 60 + f[2]) * kSectorsPerSecond + f[3];
      break;
    }
    case CdTimeFormat::kMsf:
      if (!Fields(text, 3, f)) return kMciErrBadInteger;
      f.resize(3, 0);
      value = (static_cast<int64_t>(f[0]) * 60 + f[1]) * kSectorsPerSecond + f[2] - kPregapSectors;
      break;
    case CdTimeFormat::kMilliseconds: {
      if (text.empty() || text.size() > 12) return kMciErrBadInteger;
      for (char c : text) {
        if (c < '0' || c > '9') return kMciErrBadInteger;
        value = value * 10 + (c - '0');
      }
      value = value * kSectorsPerSecond / 1000 - kPregapSectors;
      break;
    }
  }
  if (toc.TrackCount() == 0) return kMciErrOutOfRange;
  if (value < toc.TrackStart(toc.first_track)) value = toc.TrackStart(toc.first_track);
  if (value > toc.LeadOut()) return kMciErrOutOfRange;
  sector = static_cast<int32_t>(value);
  return 0;
}

}  // namespace qg::music
