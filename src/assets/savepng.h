// Writing 8-bit RGBA pixel buffers as PNG files (screenshots, test pictures).
#pragma once

// Writes width x height pixels of 4 bytes R, G, B, A, rows top first and `pitch` bytes apart,
// to `path`. Returns 0, or -1 after one line on standard output.
int SavePNG(const char* path, const unsigned char* rgba, unsigned int width, unsigned int height,
            unsigned int pitch);
