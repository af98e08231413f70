// Test sound files written on the spot (WAV and MP3), and waiting for a condition.
#pragma once

#include <functional>
#include <string>

namespace soundtest {

// A 16-bit PCM mono WAV of a tone: `samples` samples at `rate` Hz.
void WriteTestWav(const std::string& path, long samples, int rate);

// A stereo CBR MP3 of a tone with the encoder's length tag (so the decoded length is exact):
// `samples` sample frames at 44 100 Hz (as the game's music), `kbps` bit rate. False when encoding
// fails.
bool WriteTestMp3(const std::string& path, long samples, int kbps);

// Waits until `done()` is true, polling every 10 ms, for at most `seconds`. Returns done().
bool WaitFor(const std::function<bool()>& done, double seconds);

}  // namespace soundtest
