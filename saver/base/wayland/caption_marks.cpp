#include "wayland/caption_marks.h"

#include "display_system.h"

namespace qg {
namespace wayland {

void CaptionMark::Hold(const std::string& caption) {
  if (marker_.held() && caption == caption_) return;
  Drop();
  caption_ = caption;
  if (!caption.empty()) marker_.Claim(CurrentSession(), caption);
}

void CaptionMark::Drop() {
  marker_.Release();
  caption_.clear();
}

bool CaptionShown(const std::string& caption) {
  return !caption.empty() && SessionMarkerHeld(CurrentSession(), caption);
}

}  // namespace wayland
}  // namespace qg
