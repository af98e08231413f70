// Replacing a small file whole: through a temporary file and a rename, with fallbacks.
#pragma once

#include <string>

// Writes `bytes` as the whole content of `path` through a temporary file beside it (PATH.tmp,
// overwritten when a crash left one) and a rename, so that a crash mid-write never leaves a
// truncated file. Where no temporary file can be made (a read-only folder) the file is written in
// place. A symbolic link is written through to its target and stays a link. Returns 0, or -1
// when nothing could be written (the old file then stays whole when the temporary file was made).
int ReplaceFile(const std::string& path, const std::string& bytes);
