// Turning input events into actions.
#include "game/controls.h"

#include <cmath>
#include <cstdlib>

namespace {

// The share of a stick's travel past the dead zone, -1..1, 0 inside it, raised to `curve`.
float Response(int value, int deadZone, double curve) {
  const int magnitude = std::min(std::abs(value), 32767);
  if (magnitude <= deadZone) return 0;
  const double share = static_cast<double>(magnitude - deadZone) / (32767 - deadZone);
  const double shaped = std::pow(share, curve);
  return static_cast<float>(value < 0 ? -shaped : shaped);
}

}  // namespace

void Controls::Set(const ControlSettings& settings) {
  settings_ = settings;
  for (int& axis : axes_) axis = 0;
  hat_ = SDL_HAT_CENTERED;
}

void Controls::Edge(const InputCode& code, bool was, bool now, std::vector<Change>* changes) const {
  if (was == now) return;
  for (int action : settings_.bindings.ActionsOf(code)) changes->push_back({action, now});
}

void Controls::AxisMoved(int axis, int value, std::vector<Change>* changes) {
  if (axis < 0 || axis >= InputNames::PAD_AXES) return;
  const int old = axes_[axis];
  axes_[axis] = value;
  Edge(InputCode::PadAxis(axis, true), old > AXIS_PUSHED, value > AXIS_PUSHED, changes);
  Edge(InputCode::PadAxis(axis, false), old < -AXIS_PUSHED, value < -AXIS_PUSHED, changes);
  // The walking stick: forward is the stick pushed away (negative), right is positive.
  const int dead = DeadZone();
  auto walk = [&](int action, bool was, bool now) {
    if (was != now) changes->push_back({action, now});
  };
  if (axis == settings_.padWalkYAxis) {
    walk(Control::FORWARD, old < -dead, value < -dead);
    walk(Control::BACK, old > dead, value > dead);
  }
  if (axis == settings_.padWalkXAxis) {
    walk(Control::STRAFE_LEFT, old < -dead, value < -dead);
    walk(Control::STRAFE_RIGHT, old > dead, value > dead);
  }
}

void Controls::Translate(const SDL_Event& event, std::vector<Change>* changes) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      Edge(InputCode::Key(event.key.keysym.sym), event.type == SDL_KEYUP, event.type == SDL_KEYDOWN, changes);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      Edge(InputCode::Mouse(event.button.button), event.type == SDL_MOUSEBUTTONUP,
           event.type == SDL_MOUSEBUTTONDOWN, changes);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      Edge(InputCode::PadButton(event.jbutton.button), event.type == SDL_JOYBUTTONUP,
           event.type == SDL_JOYBUTTONDOWN, changes);
      break;
    case SDL_JOYHATMOTION:
      if (event.jhat.hat != 0) break;
      for (int bit = SDL_HAT_UP; bit <= SDL_HAT_LEFT; bit <<= 1) {
        Edge(InputCode::PadHat(bit), (hat_ & bit) != 0, (event.jhat.value & bit) != 0, changes);
      }
      hat_ = event.jhat.value;
      break;
    case SDL_JOYAXISMOTION:
      AxisMoved(event.jaxis.axis, event.jaxis.value, changes);
      break;
    default:
      break;
  }
}

void Controls::LookTurn(float* yaw, float* pitch) const {
  const int dead = DeadZone();
  const auto speed = static_cast<float>(settings_.padLookSpeed);
  *yaw = speed * Response(axes_[settings_.padLookXAxis], dead, settings_.padLookCurve);
  *pitch = speed * Response(axes_[settings_.padLookYAxis], dead, settings_.padLookCurve);
  if (settings_.padInvert) *pitch = -*pitch;
}
