// The run form's music steps: what starts at the show's start and what is
// stopped at its end, for the kind and file chosen in the settings. Kept out
// of the form so the calls into the music player can be checked one by one.
#pragma once

namespace qg::show {

class ShowMusic {
 public:
  // Which watch timers the run form switches on.
  struct Watches {
    bool cd = false;   // Timer2, 200 ms
    bool mp3 = false;  // Timer1, 1000 ms
  };

  // Starts the music of the settings (BgmKind, BgmFile).
  Watches Start();
  // Stops what Start started. An opened CD device is always stopped and
  // closed, also when its watch has ended on an error while the disc played.
  void Stop();

 private:
  bool cdOpened_ = false;
};

}  // namespace qg::show
