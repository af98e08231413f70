// Shared set-up of the enemy tests, and the recording sound command entry.
#include "enemytest.h"

#include <cstdlib>

#include "common/random.h"

namespace enemytest {

std::vector<std::string> commands;
std::string failOpen;

std::vector<int> Room(int rows, int cols) {
  std::vector<int> cells(rows * cols);
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) {
      cells[i * cols + j] = (j == cols - 1 ? 1 : 0) | (j == 0 ? 2 : 0) | (i == rows - 1 ? 4 : 0) |
                            (i == 0 ? 8 : 0);
    }
  }
  return cells;
}

void CellCentre(int row, int column, float y, float* out) {
  out[0] = 4.0f * row;
  out[1] = y;
  out[2] = -4.0f * column;
}

void EnemyTest::SetUp() {
  commands.clear();
  failOpen.clear();
  srand(12345);
  Bullet::LoadCount = 1;  // the stand-in prototype bullet
  enemy.SetFloor(&floor);
  UseRoom(10, 10);
}

void EnemyTest::TearDown() {
  enemy.Clear();
  EXPECT_EQ(1, Bullet::LoadCount) << "an enemy bullet outlived Clear";
  Bullet::LoadCount = 0;
}

void EnemyTest::UseRoom(int rows, int cols, int row, int column) {
  const std::vector<int> cells = Room(rows, cols);
  ASSERT_EQ(0, floor.SetMapData(cells.data(), rows, cols, rows - 1, cols - 1));
  float p[3];
  CellCentre(row, column, 0, p);
  floor.SetDrawArea(p, 0);
}

void EnemyTest::UseBossFloor(int number) {
  float start[3];
  floor.SetMap(start, number);
  float p[3];
  CellCentre(3, 3, 0, p);
  floor.SetDrawArea(p, 0);
}

EnemyData* EnemyTest::At(int n) {
  auto it = enemy.getEnemies().begin();
  std::advance(it, n);
  return *it;
}

int EnemyTest::Touch(float x, float y, float z, QUORL_COMMON::_Item* item, float* push) {
  QUORL_COMMON::_Item unusedItem = {0, 0};
  float unusedPush[3] = {0, 0, 0};
  QUORL_COMMON::_Collision player = {};  // the player's upright cylinder
  player.type = QUORL_COMMON::COL_CYLINDER;
  player.pos[0] = x;
  player.pos[1] = y;
  player.pos[2] = z;
  player.shape.cylinder = {0.4f, 2.0f, 0.0f, 90.0f};
  player.passDoors = true;
  return enemy.ImpacttoPlayer(&player, item ? item : &unusedItem, push ? push : unusedPush);
}

int EnemyTest::Frame(float* eye, QUORL_COMMON::_Item* item, float* push) {
  const int damage = Touch(eye[0], eye[1] - 0.6f, eye[2], item, push);
  enemy.Action(eye);
  return damage;
}

int EnemyTest::Shoot(const float* from, const float* to, int damage) {
  const float v[3] = {to[0] - from[0], to[1] - from[1], -(to[2] - from[2])};
  float angles[2];
  getAngles(v, angles);
  Bullet shot;
  shot.Init(0, from, angles[0], angles[1], damage);
  enemy.ImpactfromPlayer(&shot);
  const int state = shot.isHited();
  shot.Finalize();
  return state;
}

}  // namespace enemytest

// The sound command entry of the test binaries: records, succeeds except for `failOpen`.
int mciSendStringA(const char* command, char* returnBuffer, unsigned returnLength, void*) {
  if (returnBuffer != nullptr && returnLength > 0) returnBuffer[0] = '\0';
  const std::string text(command);
  enemytest::commands.push_back(text);
  if (!enemytest::failOpen.empty() && text.rfind("open ", 0) == 0 &&
      text.find("alias " + enemytest::failOpen + " ") != std::string::npos) {
    return 1;
  }
  return 0;
}
