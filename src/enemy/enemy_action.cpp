// The enemies' behaviours: the ordinary boosy, doosy, poosy and zoosy, and the three bosses.
#include <cmath>
#include <cstdlib>
#include <new>

#include "enemy/enemy.h"

int Enemy::ActionBoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionPoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionDoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionZoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionBossBoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionBossDoosy(float*, EnemyData*) { return 0; }
int Enemy::ActionMelShell(float*, EnemyData*) { return 0; }
int Enemy::ActionMelCore(float*, EnemyData*) { return 0; }
