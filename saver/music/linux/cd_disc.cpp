#include "cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace qg::music {

namespace {

// libcdio writes its warnings to stderr by default; music never shows anything.
void QuietLog(cdio_log_level_t, const char*) {}

void SilenceLibcdio() {
  static std::once_flag once;
  std::call_once(once, [] { cdio_log_set_handler(&QuietLog); });
}

bool IsImageDriver(driver_id_t id) { return id == DRIVER_BINCUE || id == DRIVER_CDRDAO || id == DRIVER_NRG; }

}  // namespace

CdDisc::~CdDisc() {
  if (paranoia_) cdio_paranoia_free(paranoia_);
  if (drive_) cdio_cddap_close_no_free_cdio(drive_);
  if (cdio_) cdio_destroy(cdio_);
}

std::string CdDisc::ChosenSource() {
  const char* chosen = std::getenv(kCdSourceVariable);
  return chosen ? std::string(chosen) : std::string();
}

bool CdDisc::Open(const std::string& source) {
  SilenceLibcdio();
  if (source.empty()) {
    char* device = cdio_get_default_device(nullptr);
    if (!device) return false;
    cdio_ = cdio_open(device, DRIVER_DEVICE);
    std::free(device);
  } else {
    struct stat st{};
    if (stat(source.c_str(), &st) != 0) return false;
    // A regular file is a disc image (the image drivers tell which kind);
    // anything else is taken for a drive.
    cdio_ = cdio_open(source.c_str(), S_ISREG(st.st_mode) ? DRIVER_UNKNOWN : DRIVER_DEVICE);
  }
  if (!cdio_) return false;

  track_t first = cdio_get_first_track_num(cdio_);
  track_t count = cdio_get_num_tracks(cdio_);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return false;
  toc_.first_track = first;
  toc_.starts.clear();
  for (int t = first; t < first + count; ++t) toc_.starts.push_back(cdio_get_track_lsn(cdio_, static_cast<track_t>(t)));
  toc_.starts.push_back(cdio_get_track_lsn(cdio_, CDIO_CDROM_LEADOUT_TRACK));
  for (int32_t lsn : toc_.starts) {
    if (lsn == CDIO_INVALID_LSN) return false;
  }

  char* message = nullptr;
  drive_ = cdio_cddap_identify_cdio(cdio_, CDDA_MESSAGE_FORGETIT, &message);
  if (message) cdio_cddap_free_messages(message);
  if (drive_) {
    // Images keep CD audio in its little-endian form; guessing from the
    // samples could get a quiet or synthetic disc wrong.
    if (IsImageDriver(cdio_get_driver_id(cdio_))) drive_->bigendianp = 0;
    if (cdio_cddap_open(drive_) == 0) {
      paranoia_ = cdio_paranoia_init(drive_);
      if (paranoia_) {
        cdio_paranoia_modeset(paranoia_, IsImageDriver(cdio_get_driver_id(cdio_))
                                             ? PARANOIA_MODE_DISABLE
                                             : (PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP));
      }
    }
  }
  return true;
}

bool CdDisc::ReadSector(int32_t sector, int16_t* frames) {
  const size_t bytes = CDIO_CD_FRAMESIZE_RAW;
  if (paranoia_) {
    if (sector != next_sector_) cdio_paranoia_seek(paranoia_, sector, SEEK_SET);
    int16_t* data = cdio_paranoia_read_limited(paranoia_, nullptr, 3);
    next_sector_ = sector + 1;
    if (data) {
      std::memcpy(frames, data, bytes);
      return true;
    }
  } else if (cdio_ && cdio_read_audio_sectors(cdio_, frames, sector, 1) == DRIVER_OP_SUCCESS) {
    return true;
  }
  std::memset(frames, 0, bytes);
  return false;
}

}  // namespace qg::music
