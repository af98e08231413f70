// Frame-buffer read-back and the buffer swap that every scene calls, with scripted screenshots.
#pragma once

#include <string>
#include <vector>

namespace QUORL_COMMON {

// Reads the back buffer of the current OpenGL context (width x height pixels from the lower-left
// corner) into 4-byte R, G, B, A pixels, top row first.
std::vector<unsigned char> ReadFrameBuffer(int width, int height);

// Writes the back buffer to a PNG file. Returns 0, or -1 after a message.
int SaveFrameBuffer(const char* path, int width, int height);

// Asks that the frame now being drawn be written to `path` at the next SwapBuffers.
void RequestScreenshot(const std::string& path);

// Ends a scene's frame: writes a requested screenshot of the finished back buffer (the whole
// window surface), then swaps the buffers. Scenes call this instead of SDL_GL_SwapBuffers.
void SwapBuffers();

}  // namespace QUORL_COMMON
