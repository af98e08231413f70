// The sound effects: WAV samples opened under aliases, each on a mixer channel of its own.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sound/mcicommand.h"

struct Mix_Chunk;

class SoundEffects {
 public:
  // `useDevice` false keeps this set silent for good (it never touches the audio device).
  explicit SoundEffects(bool useDevice = true);
  ~SoundEffects();
  SoundEffects(const SoundEffects&) = delete;
  SoundEffects& operator=(const SoundEffects&) = delete;

  // Parses and runs one command text. Returns MCI_OK or an MciResult failure.
  int Send(const std::string& text);
  // Runs one parsed command.
  int Run(const MciCommand& command);

  // The audio device is held (false while silent or with nothing open).
  bool HasDevice() const { return device_ == DEVICE_OPEN; }
  // The alias is open.
  bool IsOpen(const std::string& alias) const { return sounds_.count(alias) != 0; }
  // The alias's sample sounds right now (always false while silent).
  bool IsPlaying(const std::string& alias) const;
  // The alias's loudness per side, 0..1000; false when it is not open.
  bool GetVolume(const std::string& alias, int* left, int* right) const;
  // The player's loudness of every effect in percent, 0..100 (default 100): scales what the
  // commands ask for, so relative loudness (near and far sounds) keeps its shape.
  void SetMasterVolume(int percent);
  int MasterVolume() const { return masterPercent_; }
  // The panning levels (0..255 per side) the mixer is given for the alias: its loudness scaled
  // by the master volume. False when the alias is not open.
  bool GetMixerLevels(const std::string& alias, int* left, int* right) const;

 private:
  struct Sound {
    Mix_Chunk* chunk = nullptr;  // null while silent
    int channel = -1;            // mixer channel owned by this alias, -1 while silent
    int left = MciCommand::MAX_VOLUME;
    int right = MciCommand::MAX_VOLUME;
  };

  enum DeviceState { DEVICE_NONE, DEVICE_OPEN, DEVICE_SILENT };

  int Open(const MciCommand& command);
  int Play(Sound* sound);
  int Stop(Sound* sound);
  int SetVolume(const MciCommand& command, Sound* sound);
  void Close(const std::string& alias);
  void CloseAll();
  void ApplyVolume(const Sound& sound);
  int TakeChannel();

  bool useDevice_;
  DeviceState device_ = DEVICE_NONE;
  std::map<std::string, Sound> sounds_;
  std::vector<int> freeChannels_;  // channels given back by closed aliases
  int usedChannels_ = 0;           // channels 0..usedChannels_-1 have been handed out
  int masterPercent_ = 100;        // SetMasterVolume
};
