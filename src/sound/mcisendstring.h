// The media command entry of the sound effects: one text command per call, such as
// "open \"SE/shot.wav\" alias shot", "play shot" or "close all".
#pragma once

// Runs one sound-effect command. Understood forms (keywords in any letter case):
//   open "PATH" alias NAME [type mpegvideo|waveaudio]   load a WAV file under an alias
//   play NAME | stop NAME | seek NAME to start | close NAME
//   setaudio NAME left|right volume to N                 loudness of one side, N in 0..1000
//   setaudio NAME volume to N                            both sides at once
//   stop all | close all
// Returns 0 on success, non-zero for a malformed or unknown command, an alias that is already
// open (open) or not open (all others), or a file that is missing or not a WAV. The reply buffer
// (when given) receives an empty text; the window is not used. Never blocks on playback.
int mciSendStringA(const char* command, char* returnBuffer, unsigned returnLength, void* window);

// The player's loudness of all sound effects in percent, 0..100 (default 100), applied on top of
// what the commands ask for.
void mciSetMasterVolume(int percent);
