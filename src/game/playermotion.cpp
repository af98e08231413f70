// The player's body: walking, turning, pushes and doors.
#include "game/playermotion.h"

#include <cmath>

#include "common/angles.h"
#include "common/bindings.h"
#include "dungeon/dungeonfloor.h"
#include "game/gameconst.h"

namespace {

const float WALK_SPEED = 0.05f;    // world units per frame and key (doubled for one key alone)
const float MOUSE_DEGREES = 0.1f;  // degrees of turn per pixel of mouse motion
const float PITCH_LIMIT = 60;      // degrees up and down
const float DOOR_STEP = 1.2f;      // world units a door pushes the player through per frame

// The way a door leads, by the answer of DungeonFloor::ThroughDoor (1 to 4): the headings that
// face it, [from, to) in degrees (a range across 0 wraps), and the step through it.
struct DoorWay {
  float from, to;
  float dx, dz;
};
const DoorWay kDoorWays[5] = {
    {0, 0, 0, 0},  // no door
    {315, 45, 0, -DOOR_STEP},
    {135, 225, 0, DOOR_STEP},
    {45, 135, DOOR_STEP, 0},
    {225, 315, -DOOR_STEP, 0},
};

bool Faces(const DoorWay& way, float yaw) {
  if (way.from > way.to) return yaw >= way.from || yaw < way.to;
  return yaw >= way.from && yaw < way.to;
}

}  // namespace

void PlayerMotion::Reset() {
  yaw = pitch = 0;
  StopWalking();
  pos[0] = 0, pos[1] = -0.1f, pos[2] = 0;
  knockCount = 0;
  knockVec[0] = knockVec[1] = knockVec[2] = 0;
}

void PlayerMotion::Walk(int action, bool down) {
  using namespace Control;
  if (down) {
    if (action == FORWARD) forwardSpeed = -WALK_SPEED;
    if (action == BACK) forwardSpeed = WALK_SPEED;
    if (action == STRAFE_LEFT) strafeSpeed = -WALK_SPEED;
    if (action == STRAFE_RIGHT) strafeSpeed = WALK_SPEED;
    return;
  }
  if ((action == FORWARD && forwardSpeed < 0) || (action == BACK && forwardSpeed > 0)) forwardSpeed = 0;
  if ((action == STRAFE_LEFT && strafeSpeed < 0) || (action == STRAFE_RIGHT && strafeSpeed > 0)) strafeSpeed = 0;
}

void PlayerMotion::Turn(int dx, int dy, const PlayerComfort& comfort) {
  const float degrees = MOUSE_DEGREES * comfort.sensitivity;
  TurnBy(dx * degrees, dy * (comfort.invertMouse ? -degrees : degrees));
}

void PlayerMotion::TurnBy(float yawDegrees, float pitchDegrees) {
  yaw += yawDegrees;
  pitch += pitchDegrees;
  if (yaw > 360) yaw -= 360;
  if (yaw < 0) yaw += 360;
  if (pitch > PITCH_LIMIT) pitch = PITCH_LIMIT;
  if (pitch < -PITCH_LIMIT) pitch = -PITCH_LIMIT;
}

void PlayerMotion::Push(const float* push) {
  knockVec[0] = push[0], knockVec[1] = push[1], knockVec[2] = push[2];
  StopWalking();
  knockCount = gamemain_const::HIT_MOVE_CNT;
}

void PlayerMotion::KnockBackStep(DungeonFloor* floor) {
  if (knockCount <= 0) return;
  // A ray along this frame's push (the player moves by minus the knock vector); a ray heading
  // Y points along (sin Y, 0, -cos Y), so the z of the vector given to getAngles is mirrored.
  const float move[3] = {-knockVec[0], 0, -knockVec[2]};
  const float mirrored[3] = {move[0], 0, -move[2]};
  float angles[2];
  getAngles(mirrored, angles);
  QUORL_COMMON::_Collision ray = {};
  ray.type = QUORL_COMMON::COL_RAY;
  ray.pos[0] = pos[0], ray.pos[1] = 0, ray.pos[2] = pos[2];
  ray.yaw = angles[0];
  ray.pitch = angles[1];
  float out[3] = {move[0], move[1], move[2]};
  floor->Collision(&ray, out);
  const float dx = pos[0] - out[0], dz = pos[2] - out[2];
  if (knockVec[0] * knockVec[0] + knockVec[2] * knockVec[2] > dx * dx + dz * dz) {
    knockVec[0] = -knockVec[0];  // a wall is closer than this frame's push: bounce off it
    knockVec[2] = -knockVec[2];
  }
  pos[0] -= knockVec[0];
  pos[2] -= knockVec[2];
  --knockCount;
  knockVec[0] *= 0.9f;
  knockVec[2] *= 0.9f;
}

void PlayerMotion::WalkStep(DungeonFloor* floor) {
  // One key alone walks 0.1 a frame, two keys at once 0.05 along each.
  const float m = (forwardSpeed == 0 || strafeSpeed == 0) ? 2.0f : 1.0f;
  const double h = yaw * QUORL_COMMON::RADIANS_PER_DEGREE;
  pos[0] -= static_cast<float>(m * forwardSpeed * std::sin(h));
  pos[2] += static_cast<float>(m * forwardSpeed * std::cos(h));
  pos[0] += static_cast<float>(m * strafeSpeed * std::cos(h));
  pos[2] += static_cast<float>(m * strafeSpeed * std::sin(h));
  pos[1] -= 0.1f;  // gravity; the floor holds the player up

  QUORL_COMMON::_Collision body = Body(2.0f);
  float out[3] = {0, 0, 0};
  floor->Collision(&body, out);
  if (out[0] != pos[0] || out[2] != pos[2]) {
    knockVec[0] = knockVec[1] = knockVec[2] = 0;  // a wall ends the knock-back
    knockCount = 0;
  }
  pos[0] = out[0], pos[1] = out[1], pos[2] = out[2];
}

bool PlayerMotion::PassDoor(int door, bool locked, float* p) {
  const DoorWay& way = kDoorWays[door];
  if (!Faces(way, yaw)) return false;
  if (!locked) {
    pos[0] += way.dx, pos[2] += way.dz;
    p[0] += way.dx, p[2] += way.dz;
  }
  return true;
}

QUORL_COMMON::_Collision PlayerMotion::Body(float length) const {
  QUORL_COMMON::_Collision body = {};
  body.type = QUORL_COMMON::COL_CYLINDER;
  body.pos[0] = pos[0], body.pos[1] = pos[1], body.pos[2] = pos[2];
  body.yaw = yaw;
  body.shape.cylinder.radius = 0.4f;
  body.shape.cylinder.length = length;
  body.shape.cylinder.pitchOffset = 90;
  body.passDoors = true;
  return body;
}
