// The scene codes (a failure is QUORL_COMMON::GLOBAL_ERROR): what a scene's Action returns to ask the frame loop for the next scene.
#pragma once

namespace Scene {
constexpr int START = 0;    // the loop's first pass, before any scene ran
constexpr int TITLE = 1;    // the title screen and its menu
constexpr int GAME = 2;     // a game in progress
constexpr int ENDING = 3;   // the staff roll after the last boss
constexpr int QUIT = 99;    // the program ends normally
}  // namespace Scene
