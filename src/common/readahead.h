// Reading a file ahead of its use: the system starts fetching it into memory in the background.
#pragma once

#include <string>

namespace QUORL_COMMON {

// Asks the system to start reading the file at `path` into its cache (the frame that later opens
// it then finds it in memory even on a slow or cold disk). Returns at once; a file that cannot be
// opened is left to the later open to report.
void ReadAhead(const std::string& path);

}  // namespace QUORL_COMMON
