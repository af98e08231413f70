// The shared audio output: one SDL_mixer device for the sound effects and the music library.
#pragma once

// Output format of the device: 44.1 kHz, signed 16-bit native order, stereo.
namespace AudioDevice {

const int FREQUENCY = 44100;
const int CHANNELS = 2;

// Opens the mixer device, or takes one more hold on it when it is already open (in this process,
// by the effects or the music library). Returns 0, or -1 when no device can be opened: the caller
// then works silently. The first failure of the process prints one line on standard output.
int Open();

// Gives one hold back; the device closes when the last one is given back.
void Close();

}  // namespace AudioDevice
