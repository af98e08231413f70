// The sound effects: WAV samples opened under aliases, each on a mixer channel of its own.
#include "sound/soundeffects.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstring>

#include "common/runtally.h"
#include "sound/audiodevice.h"
#include "sound/filebytes.h"

namespace {

// Mixer channels are allocated in steps of this many (the game holds 38 aliases at once).
const int CHANNEL_STEP = 64;

// Largest sound file read (a minute of 44.1 kHz stereo 16-bit audio is about 10 MB).
const long MAX_FILE_BYTES = 64L * 1024 * 1024;

// A RIFF container of WAVE data.
bool HasWaveMagic(const std::vector<unsigned char>& data) {
  return data.size() >= 12 && memcmp(data.data(), "RIFF", 4) == 0 &&
         memcmp(data.data() + 8, "WAVE", 4) == 0;
}

// Without a device: the same check the mixer's loader makes, a WAV that SDL decodes and can
// convert to the device format.
bool IsPlayableWave(const std::vector<unsigned char>& data) {
  SDL_AudioSpec wavFormat;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
  if (rw == nullptr || SDL_LoadWAV_RW(rw, 1, &wavFormat, &samples, &length) == nullptr) return false;
  SDL_FreeWAV(samples);
  SDL_AudioCVT cvt;
  return SDL_BuildAudioCVT(&cvt, wavFormat.format, wavFormat.channels, wavFormat.freq, AUDIO_S16SYS,
                           AudioDevice::CHANNELS, AudioDevice::FREQUENCY) >= 0;
}

// Loudness 0..1000 at `percent` of itself to the mixer's panning scale 0..255.
Uint8 ToPanning(int volume, int percent) {
  return static_cast<Uint8>(volume * percent / 100 * 255 / MciCommand::MAX_VOLUME);
}

}  // namespace

SoundEffects::SoundEffects(bool useDevice) : useDevice_(useDevice) {}

SoundEffects::~SoundEffects() {
  CloseAll();
}

int SoundEffects::Send(const std::string& text) {
  MciCommand command;
  const int result = ParseMciCommand(text, &command);
  return result != MCI_OK ? result : Run(command);
}

int SoundEffects::Run(const MciCommand& command) {
  if (command.verb == MciCommand::OPEN) return Open(command);
  if (command.all) {
    if (command.verb == MciCommand::CLOSE) {
      CloseAll();
    } else {
      for (auto& entry : sounds_) Stop(&entry.second);
    }
    return MCI_OK;
  }
  auto found = sounds_.find(command.alias);
  if (found == sounds_.end()) return MCI_ERROR_ALIAS_NOT_OPEN;
  Sound* sound = &found->second;
  switch (command.verb) {
    case MciCommand::PLAY:
      QUORL_COMMON::Tally().Sound(command.alias, sound->left, sound->right);
      return Play(sound);
    case MciCommand::STOP:
    case MciCommand::SEEK_START:  // a seek stops the sample; the next play starts at the beginning
      return Stop(sound);
    case MciCommand::SET_VOLUME:
      return SetVolume(command, sound);
    case MciCommand::CLOSE:
      Close(command.alias);
      return MCI_OK;
    case MciCommand::OPEN:
      break;
  }
  return MCI_ERROR_UNKNOWN_COMMAND;
}

bool SoundEffects::IsPlaying(const std::string& alias) const {
  auto found = sounds_.find(alias);
  return found != sounds_.end() && found->second.channel >= 0 &&
         Mix_Playing(found->second.channel) != 0;
}

bool SoundEffects::GetVolume(const std::string& alias, int* left, int* right) const {
  auto found = sounds_.find(alias);
  if (found == sounds_.end()) return false;
  *left = found->second.left;
  *right = found->second.right;
  return true;
}

int SoundEffects::Open(const MciCommand& command) {
  if (sounds_.count(command.alias) != 0) return MCI_ERROR_ALIAS_IN_USE;
  std::vector<unsigned char> data;
  if (!ReadFileBytes(command.path, MAX_FILE_BYTES, &data)) return MCI_ERROR_FILE_NOT_FOUND;
  if (!HasWaveMagic(data)) return MCI_ERROR_INVALID_FILE;

  // The device is opened with the first alias and given back with the last one, so that a
  // machine that gains or loses its device between scenes is noticed.
  if (device_ == DEVICE_NONE) {
    device_ = useDevice_ && AudioDevice::Open() == 0 ? DEVICE_OPEN : DEVICE_SILENT;
  }
  Sound sound;
  if (device_ == DEVICE_OPEN) {
    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    sound.chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (sound.chunk == nullptr) {
      if (sounds_.empty()) CloseAll();
      return MCI_ERROR_INVALID_FILE;
    }
    sound.channel = TakeChannel();
  } else if (!IsPlayableWave(data)) {
    if (sounds_.empty()) CloseAll();
    return MCI_ERROR_INVALID_FILE;
  }
  sounds_[command.alias] = sound;
  return MCI_OK;
}

int SoundEffects::Play(Sound* sound) {
  if (sound->chunk == nullptr) return MCI_OK;
  // The mixer drops a channel's panning when its sample ends, is halted or is restarted while
  // sounding. Halt it first, then set the loudness, then start: the first mixed buffer of the
  // sample already has its loudness.
  Mix_HaltChannel(sound->channel);
  ApplyVolume(*sound);
  Mix_PlayChannel(sound->channel, sound->chunk, 0);
  return MCI_OK;
}

int SoundEffects::Stop(Sound* sound) {
  if (sound->channel >= 0) Mix_HaltChannel(sound->channel);
  return MCI_OK;
}

int SoundEffects::SetVolume(const MciCommand& command, Sound* sound) {
  if (command.sides & MciCommand::LEFT) sound->left = command.volume;
  if (command.sides & MciCommand::RIGHT) sound->right = command.volume;
  if (sound->channel >= 0 && Mix_Playing(sound->channel)) ApplyVolume(*sound);
  return MCI_OK;
}

void SoundEffects::ApplyVolume(const Sound& sound) {
  Mix_SetPanning(sound.channel, ToPanning(sound.left, masterPercent_), ToPanning(sound.right, masterPercent_));
}

void SoundEffects::SetMasterVolume(int percent) {
  masterPercent_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  for (const auto& entry : sounds_) {
    const Sound& sound = entry.second;
    if (sound.channel >= 0 && Mix_Playing(sound.channel)) ApplyVolume(sound);
  }
}

bool SoundEffects::GetMixerLevels(const std::string& alias, int* left, int* right) const {
  const auto found = sounds_.find(alias);
  if (found == sounds_.end()) return false;
  *left = ToPanning(found->second.left, masterPercent_);
  *right = ToPanning(found->second.right, masterPercent_);
  return true;
}

int SoundEffects::TakeChannel() {
  if (!freeChannels_.empty()) {
    const int channel = freeChannels_.back();
    freeChannels_.pop_back();
    return channel;
  }
  const int channel = usedChannels_++;
  const int allocated = Mix_AllocateChannels(-1);
  if (channel >= allocated) {
    Mix_AllocateChannels((channel / CHANNEL_STEP + 1) * CHANNEL_STEP);
  }
  return channel;
}

void SoundEffects::Close(const std::string& alias) {
  auto found = sounds_.find(alias);
  if (found == sounds_.end()) return;
  Sound& sound = found->second;
  if (sound.channel >= 0) {
    Mix_HaltChannel(sound.channel);
    freeChannels_.push_back(sound.channel);
  }
  if (sound.chunk != nullptr) Mix_FreeChunk(sound.chunk);
  sounds_.erase(found);
  if (sounds_.empty()) CloseAll();
}

void SoundEffects::CloseAll() {
  while (!sounds_.empty()) {
    Sound& sound = sounds_.begin()->second;
    if (sound.channel >= 0) Mix_HaltChannel(sound.channel);
    if (sound.chunk != nullptr) Mix_FreeChunk(sound.chunk);
    sounds_.erase(sounds_.begin());
  }
  if (device_ == DEVICE_OPEN) AudioDevice::Close();
  device_ = DEVICE_NONE;
  freeChannels_.clear();
  usedChannels_ = 0;
}
