// The entries of the run-time music library (libvbmp3.so): one MP3 piece at a time, decoded while
// it plays and mixed into the shared audio device.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// File name of the library; it is loaded by absolute path (see VBMP3Wrap).
#define VBMP3_LIBRARY_NAME "libvbmp3.so"

// Error numbers of vbmp3_getLastErrorNo: the reason of the last failed open or play (0 after a
// successful open, init or free).
enum {
  VBMP3_ERROR_NONE = 0,
  VBMP3_ERROR_FILE_MISSING = 2,   // the file does not exist or cannot be read
  VBMP3_ERROR_NOT_MP3 = 3,        // the file is not a decodable MP3 (or is empty)
  VBMP3_ERROR_NO_FILE = 4,        // play without an opened file
  VBMP3_ERROR_DECODER = 5,        // the decoder could not be set up
};

// What vbmp3_open learnt about the opened file (the game never reads it; may be null).
typedef struct VBMP3Info {
  int channels;      // 1 or 2 in the file
  int frequency;     // output sample rate in Hz (always 44100)
  int bitrate;       // kbit/s of the first frame
  int lengthMs;      // exact length in milliseconds, rounded down
  long samples;      // exact length in samples per channel at `frequency`
} VBMP3Info;

// Sets the library up (opens the audio device on first use). Returns 1. With no audio device
// the library works silently: files still open and are checked, and the state follows a clock.
typedef int (*VBMP3_INIT)(void);
// Stops, closes the file and gives the audio device back. Returns 1.
typedef int (*VBMP3_FREE)(void);
// Opens an MP3 file (closing the one before). Returns 1 when it opened and decodes, else 0
// with the reason in vbmp3_getLastErrorNo. `info` may be null.
typedef unsigned char (*VBMP3_OPEN)(const char* path, VBMP3Info* info);
// Stops and closes the opened file. Returns 1.
typedef int (*VBMP3_CLOSE)(void);
// 1 while the piece plays, 0 otherwise. `seconds` (may be null) receives the whole seconds played.
typedef int (*VBMP3_GETSTATE)(int* seconds);
// Plays the opened file from its start (also after its end, or while it plays). Returns 1, or 0
// when no file is open.
typedef int (*VBMP3_PLAY)(void);
// Stops; the next play starts from the beginning. Returns 1.
typedef int (*VBMP3_STOP)(void);
// Fade times in milliseconds: accepted and kept, they have no audible effect. Return 1.
typedef int (*VBMP3_SETFADEIN)(int milliseconds);
typedef int (*VBMP3_SETFADEOUT)(int milliseconds);
// Four 32-bit option values (buffering hints): accepted, kept, no effect. Return 1.
typedef int (*VBMP3_SETVBMP3OPTION)(const int* options);
// Four 32-bit decoder option values: accepted, kept, no effect. Return 1.
typedef int (*VBMP3_SETDECODEOPTION)(const int* options);
// Loudness of the left and right side, each 0..100 (values outside are clamped). Returns 1.
typedef int (*VBMP3_SETSOFTVOLUME)(int left, int right);
// Reads the loudness back (either pointer may be null). Returns 1.
typedef int (*VBMP3_GETSOFTVOLUME)(int* left, int* right);
// The error number of the last failed entry call (see the enum above).
typedef int (*VBMP3_GETLASTERRORNO)(void);
// Optional extra entry: advances the library's frame clock by `milliseconds`. The first call
// (0 is allowed) switches the library to that clock for good: from then on whether a piece plays
// depends only on the clock and the piece's exact length, never on wall-clock time.
typedef void (*VBMP3_ADVANCECLOCK)(unsigned int milliseconds);

#ifdef __cplusplus
}
#endif
