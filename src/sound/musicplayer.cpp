// The music library's player: one MP3 piece at a time, decoded while it plays into the shared
// audio device, with its own loudness per side and an optional frame clock.
#include "sound/musicplayer.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstring>

#include "sound/audiodevice.h"
#include "sound/vbmp3.h"

namespace {

// Bytes of one stereo 16-bit sample frame.
const int FRAME_BYTES = 4;

int Clamp(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

MusicPlayer::~MusicPlayer() {
  Free();
}

void MusicPlayer::Init() {
  if (initialized_) return;
  initialized_ = true;
  if (AudioDevice::Open() != 0) return;
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  if (format != AUDIO_S16SYS || channels != AudioDevice::CHANNELS) {
    // A device in another sample format: the music goes silent, the effects still sound.
    AudioDevice::Close();
    return;
  }
  rate_ = frequency;
  device_ = true;
  Mix_HookMusic(Mix, this);
}

void MusicPlayer::Free() {
  Close();
  if (device_) {
    Mix_HookMusic(nullptr, nullptr);
    AudioDevice::Close();
    device_ = false;
  }
  initialized_ = false;
  rate_ = AudioDevice::FREQUENCY;
}

int MusicPlayer::Open(const std::string& path) {
  Init();
  Close();
  std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder());
  const int error = decoder->Open(path, rate_);
  if (error != VBMP3_ERROR_NONE) return error;
  Lock();
  decoder_.swap(decoder);
  Unlock();
  return VBMP3_ERROR_NONE;
}

void MusicPlayer::Close() {
  std::unique_ptr<Mp3Decoder> old;
  Lock();
  playing_ = false;
  old.swap(decoder_);
  Unlock();
}

bool MusicPlayer::Play() {
  if (decoder_ == nullptr) return false;
  Lock();
  decoder_->Rewind();
  playing_ = true;
  decodeEnded_ = false;
  mixedSamples_ = 0;
  Unlock();
  playClockMs_ = clockMs_;
  playTime_ = std::chrono::steady_clock::now();
  return true;
}

void MusicPlayer::Stop() {
  Lock();
  playing_ = false;
  Unlock();
}

long long MusicPlayer::PlayedSamples() const {
  unsigned long long elapsedMs = 0;
  if (frameClock_) {
    elapsedMs = clockMs_ - playClockMs_;
  } else if (device_) {
    Lock();
    const long long mixed = mixedSamples_;
    const bool ended = decodeEnded_;
    Unlock();
    return ended ? decoder_->Samples() : mixed;
  } else {
    const auto elapsed = std::chrono::steady_clock::now() - playTime_;
    elapsedMs = static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  }
  // Whole sample frames in elapsedMs: the piece plays while this is below its length, that is
  // while elapsedMs * rate < length * 1000.
  const unsigned long long samples = elapsedMs * static_cast<unsigned long long>(rate_) / 1000;
  const unsigned long long length = static_cast<unsigned long long>(decoder_->Samples());
  return static_cast<long long>(samples < length ? samples : length);
}

bool MusicPlayer::IsPlaying(int* seconds) {
  if (!playing_ || decoder_ == nullptr) return false;
  const long long played = PlayedSamples();
  if (seconds != nullptr) *seconds = static_cast<int>(played / rate_);
  if (played < decoder_->Samples()) return true;
  Lock();
  playing_ = false;
  Unlock();
  return false;
}

void MusicPlayer::SetVolume(int left, int right) {
  Lock();
  left_ = Clamp(left, 0, MAX_VOLUME);
  right_ = Clamp(right, 0, MAX_VOLUME);
  Unlock();
}

void MusicPlayer::GetVolume(int* left, int* right) const {
  if (left != nullptr) *left = left_;
  if (right != nullptr) *right = right_;
}

void MusicPlayer::AdvanceClock(unsigned int milliseconds) {
  frameClock_ = true;
  clockMs_ += milliseconds;
}

void MusicPlayer::Lock() const {
  if (device_) SDL_LockAudio();
}

void MusicPlayer::Unlock() const {
  if (device_) SDL_UnlockAudio();
}

void MusicPlayer::Mix(void* self, unsigned char* stream, int bytes) {
  MusicPlayer* player = static_cast<MusicPlayer*>(self);
  const size_t wanted = bytes > 0 ? static_cast<size_t>(bytes) : 0;
  size_t got = 0;
  if (player->playing_ && !player->decodeEnded_ && player->decoder_ != nullptr) {
    got = player->decoder_->Read(stream, wanted - wanted % FRAME_BYTES);
    if (got < wanted - wanted % FRAME_BYTES) player->decodeEnded_ = true;
    player->mixedSamples_ += static_cast<long long>(got / FRAME_BYTES);
  }
  if (got < wanted) memset(stream + got, 0, wanted - got);
  if (got == 0 || (player->left_ == MAX_VOLUME && player->right_ == MAX_VOLUME)) return;
  // Soft volume: scale each side on its own.
  Sint16* samples = reinterpret_cast<Sint16*>(stream);
  const size_t frames = got / FRAME_BYTES;
  for (size_t i = 0; i < frames; ++i) {
    samples[2 * i] = static_cast<Sint16>(samples[2 * i] * player->left_ / MAX_VOLUME);
    samples[2 * i + 1] = static_cast<Sint16>(samples[2 * i + 1] * player->right_ / MAX_VOLUME);
  }
}
