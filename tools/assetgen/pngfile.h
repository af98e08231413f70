// PNG files of canvases: the writer (8-bit RGB or RGBA, deterministic bytes) and a reader.
#pragma once

#include <string>

#include "canvas.h"

namespace assetgen {

// Writes `pic` as an 8-bit RGBA PNG (or RGB when `alpha` is false), creating missing folders.
// Returns 0, or -1 after a message on standard error.
int WritePNG(const std::string& path, const Canvas& pic, bool alpha = true);
// Reads an 8-bit RGB or RGBA PNG into `pic`. Returns 0, or -1 after a message.
int ReadPNG(const std::string& path, Canvas* pic);

// Channel value to byte: clamped, rounded.
inline unsigned char ToByte(float v) { return static_cast<unsigned char>(Clamp01(v) * 255.0f + 0.5f); }

}  // namespace assetgen
