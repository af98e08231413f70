// The run-time binding of the music library: loads libvbmp3.so and resolves its entries.
#pragma once

#include "sound/vbmp3.h"

class VBMP3Wrap {
 public:
  VBMP3Wrap() = default;

  // Loads the library when no wrapper holds it yet and resolves the fourteen entries (and the
  // optional clock entry). The library is looked up by absolute path: first in the folder of the
  // running program, then in the working folder. Returns 0, or -1 when the library or an entry is
  // missing (the library is then unloaded again). In a run with a fixed seed it also switches the
  // library to its frame clock (see AdvanceClock).
  int Init();
  // Gives this wrapper's hold back; the library is unloaded when the last one lets go. Returns 0.
  int Finalize();

  // Advances the library's frame clock by `milliseconds`; the frame loop calls it once per frame
  // with the frame period in runs with a fixed seed. Does nothing when the library is not loaded
  // or lacks the clock entry.
  static void AdvanceClock(unsigned int milliseconds);

  // The player's music loudness in percent, 0..100 (default 100). While loaded, the library is
  // asked for this share of every soft volume the game sets through vbmp3_setSoftVolume (the boss
  // fades keep their shape) and of its full volume after vbmp3_init; vbmp3_getSoftVolume reports
  // what the library plays. Takes effect at once when the library is loaded.
  static void SetMusicVolume(int percent);
  static int MusicVolume();
  // While loaded, the entries vbmp3_open, vbmp3_play, vbmp3_stop and vbmp3_setSoftVolume also
  // count the game's calls in the run's tally (QUORL_COMMON::Tally) before the library's own run.

  static int LoadCount;  // wrappers holding the library
  static void* Handle;   // the loaded library, or null

  static VBMP3_INIT vbmp3_init;
  static VBMP3_FREE vbmp3_free;
  static VBMP3_OPEN vbmp3_open;
  static VBMP3_CLOSE vbmp3_close;
  static VBMP3_GETSTATE vbmp3_getState;
  static VBMP3_PLAY vbmp3_play;
  static VBMP3_STOP vbmp3_stop;
  static VBMP3_SETFADEIN vbmp3_setFadeIn;
  static VBMP3_SETFADEOUT vbmp3_setFadeOut;
  static VBMP3_SETVBMP3OPTION vbmp3_setVbmp3Option;
  static VBMP3_SETDECODEOPTION vbmp3_setDecodeOption;
  static VBMP3_SETSOFTVOLUME vbmp3_setSoftVolume;
  static VBMP3_GETSOFTVOLUME vbmp3_getSoftVolume;
  static VBMP3_GETLASTERRORNO vbmp3_getLastErrorNo;
  // Optional: null when the library has no clock entry.
  static VBMP3_ADVANCECLOCK vbmp3_advanceClock;

 private:
  int loaded = 0;  // 1 after a successful Init
};
