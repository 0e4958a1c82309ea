// Digital access to an audio CD: a drive or a disc image (BIN/CUE, TOC, NRG)
// through libcdio, its audio read through libcdio-paranoia. Every call may
// block for seconds while a drive spins up, so only the CD thread uses it.
#pragma once

#include <cstdint>
#include <string>

#include "cd_time.h"

typedef struct _CdIo CdIo_t;
typedef struct cdrom_drive_s cdrom_drive_t;
typedef struct cdrom_paranoia_s cdrom_paranoia_t;

namespace qg::music {

// The environment variable naming the CD drive or disc image to play.
constexpr const char* kCdSourceVariable = "QUIVERGLIDE_CDROM";

class CdDisc {
 public:
  CdDisc() = default;
  ~CdDisc();
  CdDisc(const CdDisc&) = delete;
  CdDisc& operator=(const CdDisc&) = delete;

  // The drive or image named by QUIVERGLIDE_CDROM, or empty for the system's
  // default drive.
  static std::string ChosenSource();

  // Opens the drive or image and reads its table of contents; false when
  // there is no drive, no disc, or no track on it.
  bool Open(const std::string& source);
  const DiscToc& Toc() const { return toc_; }

  // Reads one sector's audio (588 stereo frames, host byte order); false,
  // with silence in `frames`, when it cannot be read.
  bool ReadSector(int32_t sector, int16_t* frames);

 private:
  CdIo_t* cdio_ = nullptr;
  cdrom_drive_t* drive_ = nullptr;
  cdrom_paranoia_t* paranoia_ = nullptr;
  int32_t next_sector_ = -1;  // where paranoia stands
  DiscToc toc_;
};

}  // namespace qg::music
