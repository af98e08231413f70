// Tests of the controls: which actions an event starts or ends, and the look stick's turn.
#include "game/controls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SDL_Event Axis(int axis, int value) {
  SDL_Event e = {};
  e.type = SDL_JOYAXISMOTION;
  e.jaxis.axis = static_cast<Uint8>(axis);
  e.jaxis.value = static_cast<Sint16>(value);
  return e;
}

SDL_Event Hat(int value) {
  SDL_Event e = {};
  e.type = SDL_JOYHATMOTION;
  e.jhat.value = static_cast<Uint8>(value);
  return e;
}

SDL_Event Key(SDLKey key, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.keysym.sym = key;
  return e;
}

// The changes as text: "+4" an action starting, "-4" one ending.
std::string Changes(Controls* controls, const SDL_Event& event) {
  std::vector<Controls::Change> changes;
  controls->Translate(event, &changes);
  std::string text;
  for (const Controls::Change& c : changes) text += (text.empty() ? "" : " ") + std::string(c.down ? "+" : "-") + std::to_string(c.action);
  return text;
}

}  // namespace

TEST(Controls, EventsStartAndEndTheirActionsOnceAtTheEdges) {
  using namespace Control;
  Controls controls;
  controls.Set(ControlSettings());  // dead zone 25 %: 8191 axis units
  struct Step { SDL_Event event; const char* changes; };
  const Step steps[] = {
      {Key(SDLK_w, true), "+0"},          {Key(SDLK_w, false), "-0"},    {Key(SDLK_q, true), ""},
      {Axis(1, -8191), ""},               {Axis(1, -8192), "+0"},        {Axis(1, -30000), ""},
      {Axis(1, 9000), "-0 +1"},           {Axis(1, 0), "-1"},            {Axis(0, -20000), "+2"},
      {Axis(5, -32768), ""},              {Axis(5, 16385), "+4"},        {Axis(5, 32767), ""},
      {Axis(5, 0), "-4"},                 {Hat(SDL_HAT_UP), "+0"},       {Hat(SDL_HAT_RIGHTUP), "+3"},
      {Hat(SDL_HAT_CENTERED), "-0 -3"},   {Axis(16, 32767), ""},
  };
  for (const Step& step : steps) EXPECT_EQ(step.changes, Changes(&controls, step.event)) << &step - steps;
}

TEST(Controls, TheLookStickTurnsBySpeedAndCurveBeyondTheDeadZone) {
  ControlSettings settings;
  settings.padLookSpeed = 4;
  settings.padDeadZone = 20;
  struct Case { int x, y; double curve; bool invert; float yaw, pitch; };
  const Case cases[] = {
      {32767, 0, 2, false, 4, 0},           {-32767, 32767, 1, false, -4, 4},
      {6553, -6553, 2, false, 0, 0},        {19660, 0, 1, false, 2, 0},  // halfway past the dead zone
      {19660, 0, 2, false, 1, 0},           {0, -32767, 2, true, 0, 4},
  };
  for (const Case& c : cases) {
    settings.padLookCurve = c.curve;
    settings.padInvert = c.invert;
    Controls controls;
    controls.Set(settings);
    Changes(&controls, Axis(settings.padLookXAxis, c.x));
    Changes(&controls, Axis(settings.padLookYAxis, c.y));
    float yaw = 0, pitch = 0;
    controls.LookTurn(&yaw, &pitch);
    EXPECT_NEAR(c.yaw, yaw, 0.01f) << &c - cases;
    EXPECT_NEAR(c.pitch, pitch, 0.01f) << &c - cases;
  }
}
