// The run summary of --summary: plain "key value..." lines describing how a run ended.
#pragma once

#include <string>

#include "app/savedata.h"

// The run's own lines: "seed N" (only when the run had a fixed seed), "frames N" (loop passes
// run) and "scene N" (the last scene that ran: 1 title, 2 game, 3 ending roll), followed by the
// game's lines as GameMain::getSummary gives them (empty when no game frame was played), then
// the run's tally (QUORL_COMMON::RunTally::Text) and, when the run wrote the save file, its last
// record as "save FLOOR MET KILLED SPECIAL".
std::string RunSummaryText(bool hasSeed, unsigned int seed, long frames, int scene,
                           const std::string& gameLines, const std::string& tallyLines,
                           const SaveData* lastSave);

// Writes `text` to `path`. Returns 0, or -1 after "QUORL:summary write error <path>" on
// standard output.
int WriteRunSummary(const std::string& path, const std::string& text);
