// The music library's player: one MP3 piece at a time, decoded while it plays into the shared
// audio device, with its own loudness per side and an optional frame clock.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "sound/mp3decoder.h"

class MusicPlayer {
 public:
  // Largest soft volume per side.
  static constexpr int MAX_VOLUME = 100;

  MusicPlayer() = default;
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Takes a hold on the audio device (silent when there is none). Calling it again is harmless.
  void Init();
  // Closes the piece and gives the device back.
  void Free();
  // Opens a piece (closing the one before). Returns 0 or a VBMP3_ERROR_* number.
  int Open(const std::string& path);
  void Close();
  // Plays the opened piece from its start. Returns false when no piece is open.
  bool Play();
  void Stop();
  // True while the piece plays; `seconds` (may be null) receives the whole seconds played.
  bool IsPlaying(int* seconds);
  void SetVolume(int left, int right);
  void GetVolume(int* left, int* right) const;
  // Switches to the frame clock for good and moves it on by `milliseconds`.
  void AdvanceClock(unsigned int milliseconds);

  bool HasDevice() const { return device_; }
  const Mp3Decoder* Piece() const { return decoder_.get(); }

 private:
  // The mixer's music hook: decodes into the device buffer (runs on the audio thread).
  static void Mix(void* self, unsigned char* stream, int bytes);
  // Sample frames of the piece that have sounded since play, by whichever clock rules.
  long long PlayedSamples() const;
  void Lock() const;
  void Unlock() const;

  bool initialized_ = false;
  bool device_ = false;                    // the audio device is held and the hook installed
  std::unique_ptr<Mp3Decoder> decoder_;    // the opened piece, or null
  bool playing_ = false;                   // play was called and stop was not
  bool decodeEnded_ = false;               // the hook ran out of samples (device only)
  long long mixedSamples_ = 0;             // sample frames handed to the device since play
  int left_ = MAX_VOLUME;
  int right_ = MAX_VOLUME;
  int rate_ = 44100;                       // output rate of the device in Hz

  bool frameClock_ = false;                // the frame clock rules (deterministic runs)
  unsigned long long clockMs_ = 0;         // the frame clock
  unsigned long long playClockMs_ = 0;     // the frame clock at play
  std::chrono::steady_clock::time_point playTime_;  // wall-clock time at play (silent only)
};
