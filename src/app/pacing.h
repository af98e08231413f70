// Frame pacing: how long the loop sleeps after a frame.
#pragma once

// Result of FrameSleep meaning "do not sleep at all".
const int NO_SLEEP = -1;

// Milliseconds to sleep after a frame that took `elapsed` ms: 17 - elapsed when elapsed is at
// most 16, else 0 (give up the rest of the time slice). With vertical synchronisation (the buffer
// swap sets the pace) or in fast mode (frames back to back) the answer is NO_SLEEP.
int FrameSleep(unsigned int elapsed, bool vsync, bool fast);

// Sleeps as FrameSleep answered: n > 0 milliseconds, 0 yields, NO_SLEEP returns at once.
void SleepFor(int milliseconds);
