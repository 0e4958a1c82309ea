// Disc positions as MCI writes them: TMSF ("TT:MM:SS:FF", within a track),
// MSF ("MM:SS:FF", from the start of the disc) or milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qg::music {

enum class CdTimeFormat { kMilliseconds, kMsf, kTmsf };

// The audio layout of a disc: track numbers first..first+count-1 start at
// the given sectors (logical sector numbers, 75 per second); the last entry
// of `starts` is the lead-out, where the disc ends.
struct DiscToc {
  int first_track = 1;
  std::vector<int32_t> starts;  // count + 1 entries

  int TrackCount() const { return starts.empty() ? 0 : static_cast<int>(starts.size()) - 1; }
  int LastTrack() const { return first_track + TrackCount() - 1; }
  int32_t TrackStart(int track) const { return starts[track - first_track]; }
  int32_t LeadOut() const { return starts.back(); }
  // The track holding a sector; the last track for the lead-out and beyond.
  int TrackAt(int32_t sector) const;
};

constexpr int32_t kSectorsPerSecond = 75;
constexpr int32_t kFramesPerSector = 588;  // stereo sample frames at 44.1 kHz
constexpr int32_t kPregapSectors = 150;    // MSF 00:02:00 is sector 0

std::string FormatCdPosition(CdTimeFormat format, const DiscToc& toc, int32_t sector);
// The start of a track in the given format.
std::string FormatTrackStart(CdTimeFormat format, const DiscToc& toc, int track);
// Reads a position written in the given format; 0 and the sector, or an MCI
// error code (a malformed value, or one outside the disc).
int32_t ParseCdPosition(CdTimeFormat format, const DiscToc& toc, const std::string& text, int32_t& sector);

}  // namespace qg::music
