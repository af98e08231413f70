// The contact sheet: every picture and every model (three views, the game's lighting) on one PNG.
#pragma once

#include <string>

namespace assetgen {

// Reads the pictures under `dataDir`, renders the models, writes `path`. 0, or -1 after a message.
int WriteContactSheet(const std::string& dataDir, const std::string& path);

}  // namespace assetgen
