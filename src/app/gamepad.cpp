// Opening and closing the gamepad.
#include "app/gamepad.h"

#include <SDL/SDL.h>

#include <cstdio>

namespace {

SDL_Joystick* g_pad = nullptr;

}  // namespace

int OpenGamepad(int index) {
  if (index < 0) return -1;
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    printf("QUORL: no gamepad: %s\n", SDL_GetError());
    SDL_ClearError();
    return -1;
  }
  const int found = SDL_NumJoysticks();
  if (index >= found) {
    if (found > 0) printf("QUORL: no gamepad %d (%d found)\n", index, found);
    return -1;
  }
  g_pad = SDL_JoystickOpen(index);
  if (g_pad == nullptr) {
    printf("QUORL: cannot open gamepad %d: %s\n", index, SDL_GetError());
    SDL_ClearError();
    return -1;
  }
  SDL_JoystickEventState(SDL_ENABLE);
  printf("QUORL: gamepad %d: %s (%d axes, %d buttons, %d hats)\n", index, SDL_JoystickName(index),
         SDL_JoystickNumAxes(g_pad), SDL_JoystickNumButtons(g_pad), SDL_JoystickNumHats(g_pad));
  return 0;
}

void CloseGamepad() {
  if (g_pad != nullptr) SDL_JoystickClose(g_pad);
  g_pad = nullptr;
}
