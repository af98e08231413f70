// The enemy types: EnemyData::type, the kind of body an enemy record holds.
#pragma once

namespace EnemyType {
constexpr int BOOSY = 0;      // the walking gunner
constexpr int POOSY = 1;      // the flying bomber
constexpr int DOOSY = 2;      // the charging runner
constexpr int ZOOSY = 3;      // the turret walker
constexpr int BIG_BOOSY = 10; // the boss of floor 10
constexpr int BIG_DOOSY = 11; // the boss of floor 20
constexpr int SHELL = 20;     // the boss of floor 30: the shell around the core
constexpr int CORE_FIRST = 21;  // the four core parts of the last boss, 21..24
constexpr int CORE_LAST = 24;
inline bool IsCorePart(int type) { return type >= CORE_FIRST && type <= CORE_LAST; }
}  // namespace EnemyType
