// Reading a whole sound file into memory, with an upper bound on its size.
#pragma once

#include <string>
#include <vector>

// Reads the file at `path` into `data`. Returns false when it cannot be opened or read (also a
// folder), or is larger than `maxBytes`.
bool ReadFileBytes(const std::string& path, long maxBytes, std::vector<unsigned char>* data);
