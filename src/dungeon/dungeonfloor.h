// The dungeon floor being played: its map, textures and display lists, visible cells, the map
// queries and the collision of bodies and rays with its walls, floor and ceiling.
#pragma once

#include <GL/gl.h>

#include <memory>
#include <vector>

#include "common/collision.h"

// World frame: one map cell is 4 x 4 units; the cell in row i, column j has its centre at
// (4i, 0, -4j); floor at y = -2, ceiling at y = +2. A cell covers world x from 4i - 2
// (exclusive) to 4i + 2 (inclusive), and likewise along -z. Rows run along +x (the map's +y),
// columns along -z (the map's +x).
//
// The map half (SetMap, SetMapData, the queries, SetDrawArea and Collision) needs no OpenGL
// context; Init, LoadTexture, DrawMap, SetMaterial and Finalize do.
class DungeonFloor {
 public:
  DungeonFloor();
  ~DungeonFloor();
  DungeonFloor(const DungeonFloor&) = delete;
  DungeonFloor& operator=(const DungeonFloor&) = delete;

  // Builds the textures (set 1), the five display lists and the map arrays. viewAngle is the
  // game's horizontal view angle in degrees; it does not change the floor. 0, or -1 when no
  // display list could be made.
  int Init(float viewAngle);
  // Loads texture set 1 to 5 (any other value means 1) as wall, floor and door texture.
  // 0, or -1 after "dungeon:<path> load error" (textures loaded before stay); -1 before Init.
  int LoadTexture(int set);
  // Makes ready, one step a call, the texture set that `floor` begins (nothing on other floors):
  // a picture read from its file, or a read picture uploaded into a texture of its own, six steps
  // in all. SetMap(floor) then only puts the prepared set in place; without them it loads the set
  // at once. The textures in use are untouched until then. Needs Init.
  void PrepareFloor(int floor);
  // Releases lists, textures and arrays; nothing happens on an object that is not initialized.
  void Finalize();

  // Builds the map of `floor` (the fixed boss map on 10, 20 and 30, else a generated 20 x 20
  // map), writes the start cell's centre (x, y, z) to startPos and, at floors 6, 11, 21 and 27,
  // loads the next texture set. Returns 0.
  int SetMap(float* startPos, int floor);
  // Replaces the map with `rows` x `cols` given cells (row by row, rows and cols 1 to 20) and the
  // start cell; for tools and tests. 0, or -1 (map unchanged) on a bad size or null cells.
  int SetMapData(const int* cells, int rows, int cols, int startRow, int startCol);

  // 1 when the cell of pos is a stairs cell, else 0.
  int DownFloor(const float* pos);
  // Which door of its cell pos is passing through: 1 the map's +x side (world -z), 2 the -x side
  // (+z), 3 the +y side (+x), 4 the -y side (-x); 0 for none.
  int ThroughDoor(const float* pos);
  // Writes (row, 0, column) of the cell of pos; may lie off the map. Returns 0.
  int getWorldtoMap(const float* pos, int* cell) const;
  // Writes the centre (4 row, 0, -4 column) of the cell (row, ignored, column). Returns 0.
  int getMaptoWorld(const int* cell, float* pos) const;
  // True for a floor cell of the map that is not the start cell (not rock, not stairs).
  bool isFloor(int row, int column) const;
  // True when the cell of pos was found visible by the last SetDrawArea.
  bool isVisibleMap(const float* pos) const;
  // Marks the cells seen from the cell of pos (flooding through open sides, not through walls or
  // doors). yaw is not used: the result depends on the position only.
  void SetDrawArea(const float* pos, float yaw);
  // Draws the visible cells with the current textures.
  void DrawMap();
  void MapSize(int* rows, int* cols) const;
  // Material and texture: 1 walls and stairs, 2 floor, 3 ceiling, 4 door panel.
  void SetMaterial(int kind);

  // Resolves one body or ray against the map. Bodies (COL_SPHERE, COL_SPHERES, COL_CYLINDER,
  // COL_CUBE): out = the corrected world position (pos when nothing is touched), non-zero when
  // corrected. COL_RAY: 1 with out = the world point of impact, or -1 when the ray leaves the map
  // without meeting a face. Any other type: 0, out untouched.
  int Collision(const QUORL_COMMON::_Collision* query, float* out) const;
  int Col_Sphere(const QUORL_COMMON::_Collision* query, float* out) const;
  int Col_Spheres(const QUORL_COMMON::_Collision* query, float* out) const;
  int Col_Cylinder(const QUORL_COMMON::_Collision* query, float* out) const;
  int Col_Cube(const QUORL_COMMON::_Collision* query, float* out) const;
  int Col_Ray(const QUORL_COMMON::_Collision* query, float* out) const;

  // Read access for the game, enemies, tools and tests. Off-map cells read as FLOOR_NONE.
  int getCell(int row, int column) const;
  int getVisibleCell(int row, int column) const;
  int getFloorNumber() const { return floorNumber; }
  void getStartCell(int* row, int* column) const;
  // A stairs cell's value with the two sides across its run closed (bits 4 and 8 for stairs
  // running along x, bits 1 and 2 for stairs running along y); other values unchanged.
  static int StairWalls(int c);
  // Texture name 0 wall, 1 floor, 2 door, 3 spare; 0 when not initialized.
  GLuint getTexture(int index) const;

 private:
  void EnsureArrays();
  void CompileLists();
  // Puts texture set `set` in place at a floor that begins it: the prepared set when it is
  // complete, else the set loaded at once.
  void UseTextureSet(int set);
  // Forgets the prepared set and releases its textures.
  void DropPrepared();
  void ScanDisplayArea(int column, int row, int direction, int depth);
  // Row or column of a world coordinate (x, or -z), rounding down for negative coordinates.
  int CellIndex(float coordinate) const;
  // Draws the cell in row i, column j (the matrix scaled by halfCell).
  void DrawCell(int i, int j, int v);
  // SetMaterial, skipped when the same kind is set already (kind -1: nothing known).
  void UseMaterial(int kind);

  int initialized;
  std::vector<int> map;         // maxRows x maxCols, row length cols
  std::vector<int> visibleMap;  // same; 256 for every cell not seen
  int floorNumber;
  int maxRows, maxCols;
  int rows, cols;
  int startRow, startCol;
  int halfCell;
  GLuint textures[4];
  // The set PrepareFloor is making ready (0: none), the steps done (picture k is read at step 2k
  // and uploaded at step 2k + 1), the picture read and waiting, and the set's own textures.
  int preparedSet = 0;
  int preparedSteps = 0;
  std::unique_ptr<unsigned char[]> preparedPixels;
  unsigned int preparedWidth = 0, preparedHeight = 0, preparedPitch = 0;
  GLuint preparedTextures[3] = {0, 0, 0};
  GLuint wallList, floorList, doorList, doorMirrorList, stairsList;
  // Drawing order of the visible cells, nearest to the point of the last SetDrawArea first:
  // (squared distance, map index).
  float viewX = 0, viewZ = 0;
  int materialSet = -1;  // the material kind DrawMap set last (-1: unknown)
  std::vector<std::pair<float, int>> drawOrder;
};

// Diagnostic dump of a map to standard output in EUC-JP full-width glyphs: two lines per row,
// two glyphs per cell (first line its -y side, second its +y side); walls light box lines,
// doors heavy ones, stairs full-width number signs, rock ideographic spaces.
void dispFloorMapData(const int* map, int width, int height);
