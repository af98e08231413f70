// The dungeon floor: map set-up, textures, display lists, map queries, visible area and drawing.
#include "dungeon/dungeonfloor.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/loadpng.h"
#include "common/framemarks.h"
#include "dungeon/dungeonconst.h"
#include "dungeon/dungeonmake.h"

using DungeonConst::FLOOR_NONE;
using DungeonConst::FLOOR_STEP;

namespace {

// Wall, floor and door picture of each texture set; index 0 is set 1 (also any unknown set).
struct TextureSet {
  const char* files[3];
};
const TextureSet kTextureSets[5] = {
    {{"img/walls/rock.png", "img/walls/rock-floor.png", "img/walls/door-one.png"}},
    {{"img/walls/clay.png", "img/walls/clay-floor.png", "img/walls/door-two.png"}},
    {{"img/walls/lime.png", "img/walls/lime-floor.png", "img/walls/door-two.png"}},
    {{"img/walls/copper.png", "img/walls/copper-floor.png", "img/walls/door-two.png"}},
    {{"img/walls/melpaims.png", "img/walls/melpaims-floor.png", "img/walls/door-two.png"}},
};

// The floors at which a new texture set begins.
struct SetChange {
  int floor;
  int set;
};
const SetChange kSetChanges[] = {{6, 2}, {11, 3}, {21, 4}, {27, 5}};

// The texture set that begins at `floor`, or 0 when the floor begins none.
int SetBeginningAt(int floor) {
  for (const SetChange& change : kSetChanges) {
    if (change.floor == floor) return change.set;
  }
  return 0;
}

// The fixed boss map of floors 10, 20 and 30: 7 x 11 cells, rock where nothing is listed.
const int kBossRows = 7;
const int kBossCols = 11;
const int kBossStartRow = 3;
const int kBossStartCol = 1;
struct BossCell {
  int row, column, value;
};
const BossCell kBossCells[] = {
    {1, 2, 10}, {1, 3, 8}, {1, 4, 8}, {1, 5, 8}, {1, 6, 9},   //
    {2, 2, 2},  {2, 3, 0}, {2, 4, 0}, {2, 5, 0}, {2, 6, 1},   //
    {3, 1, 31}, {3, 2, 34}, {3, 3, 0}, {3, 4, 0}, {3, 5, 0},  //
    {4, 2, 2},  {4, 3, 0}, {4, 4, 0}, {4, 5, 0}, {4, 6, 1},   //
    {5, 2, 6},  {5, 3, 4}, {5, 4, 4}, {5, 5, 4}, {5, 6, 5},
};
// The room's east side: a door to the corridor and stairs on floors 10 and 20, a plain wall on 30.
const BossCell kBossExit[] = {{3, 6, 17}, {3, 7, 46}, {3, 8, 513}};
const BossCell kBossLastWall = {3, 6, 1};

// How near a door's wall (local units, the wall at 1) a position must be to pass the door.
const float kDoorDepth = 0.7f;

bool IsBossFloor(int floor) { return floor == 10 || floor == 20 || floor == 30; }

}  // namespace

int DungeonFloor::StairWalls(int c) {
  if (!(c & FLOOR_STEP)) return c;
  if (c & (DungeonConst::WALL_RIGHT | DungeonConst::WALL_LEFT)) {
    return c | DungeonConst::WALL_DOWN | DungeonConst::WALL_UP;
  }
  if (c & (DungeonConst::WALL_UP | DungeonConst::WALL_DOWN)) {
    return c | DungeonConst::WALL_RIGHT | DungeonConst::WALL_LEFT;
  }
  return c;
}

namespace {

// A side of a cell as the visible-area scan walks it: its bit, the step to the neighbour, and
// the two directions across it.
struct ScanSide {
  int bit;
  int dRow, dCol;
  int across[2];
};
const ScanSide kScanSides[4] = {
    {DungeonConst::WALL_RIGHT, 0, 1, {DungeonConst::WALL_DOWN, DungeonConst::WALL_UP}},
    {DungeonConst::WALL_LEFT, 0, -1, {DungeonConst::WALL_UP, DungeonConst::WALL_DOWN}},
    {DungeonConst::WALL_DOWN, 1, 0, {DungeonConst::WALL_LEFT, DungeonConst::WALL_RIGHT}},
    {DungeonConst::WALL_UP, -1, 0, {DungeonConst::WALL_RIGHT, DungeonConst::WALL_LEFT}},
};
const ScanSide& ScanSideOf(int bit) {
  for (const ScanSide& side : kScanSides) {
    if (side.bit == bit) return side;
  }
  return kScanSides[0];
}

// Drawing order of a floor cell's sides, each after a further quarter turn about y: wall bit,
// door bit and whether the door texture is mirrored.
struct DrawSide {
  int wall, door;
  bool mirrored;
};
const DrawSide kDrawSides[4] = {
    {DungeonConst::WALL_RIGHT, DungeonConst::DOOR_RIGHT, false},
    {DungeonConst::WALL_UP, DungeonConst::DOOR_UP, false},
    {DungeonConst::WALL_LEFT, DungeonConst::DOOR_LEFT, true},
    {DungeonConst::WALL_DOWN, DungeonConst::DOOR_DOWN, true},
};

// Turn about y of the stairs geometry (built running towards the map's +x) by direction bit.
struct StairTurn {
  int direction;
  float degrees;
};
const StairTurn kStairTurns[3] = {
    {DungeonConst::WALL_LEFT, 180.0f}, {DungeonConst::WALL_DOWN, 270.0f}, {DungeonConst::WALL_UP, 90.0f}};

float StairTurnOf(int direction) {
  for (const StairTurn& turn : kStairTurns) {
    if (turn.direction == direction) return turn.degrees;
  }
  return 0.0f;
}

// The wall quad in the plane z = 0 (local units, a cell side spans -1 to +1).
void WallQuad() {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1); glVertex3f(-1, -1, 0);
  glTexCoord2f(1, 1); glVertex3f(1, -1, 0);
  glTexCoord2f(1, 0); glVertex3f(1, 1, 0);
  glTexCoord2f(0, 0); glVertex3f(-1, 1, 0);
  glEnd();
}

// The door panel 0.01 in front of the wall, 0.7 wide and 1.5 high from the floor.
void DoorQuad(bool mirrored) {
  const float left = DungeonConst::DoorPos;
  const float right = DungeonConst::DoorPos + DungeonConst::DoorSize;
  const float u0 = mirrored ? 1.0f : 0.0f;
  const float u1 = mirrored ? 0.0f : 1.0f;
  glBegin(GL_QUADS);
  glTexCoord2f(u0, 1); glVertex3f(left, -1, 0.01f);
  glTexCoord2f(u1, 1); glVertex3f(right, -1, 0.01f);
  glTexCoord2f(u1, 0); glVertex3f(right, 0.5f, 0.01f);
  glTexCoord2f(u0, 0); glVertex3f(left, 0.5f, 0.01f);
  glEnd();
}

}  // namespace

DungeonFloor::DungeonFloor()
    : initialized(0),
      floorNumber(0),
      maxRows(20),
      maxCols(20),
      rows(0),
      cols(0),
      startRow(0),
      startCol(0),
      halfCell(2),
      textures{0, 0, 0, 0},
      wallList(0),
      floorList(0),
      doorList(0),
      doorMirrorList(0),
      stairsList(0) {}

DungeonFloor::~DungeonFloor() {}

void DungeonFloor::EnsureArrays() {
  const size_t size = static_cast<size_t>(maxRows) * maxCols;
  if (map.size() != size) map.assign(size, FLOOR_NONE);
  if (visibleMap.size() != size) visibleMap.assign(size, FLOOR_NONE);
}

int DungeonFloor::Init(float /*viewAngle*/) {
  if (initialized) Finalize();
  initialized = 1;

  glGenTextures(4, textures);
  LoadTexture(1);

  wallList = glGenLists(1);
  floorList = glGenLists(1);
  stairsList = glGenLists(1);
  doorList = glGenLists(1);
  doorMirrorList = glGenLists(1);
  if (wallList == 0 && floorList == 0 && stairsList == 0 && doorList == 0 &&
      doorMirrorList == 0) {
    printf("create DisplayList error\n");
    return -1;
  }
  CompileLists();

  maxCols = 20;
  maxRows = 20;
  floorNumber = 0;
  halfCell = 2;
  EnsureArrays();
  return 0;
}

void DungeonFloor::CompileLists() {
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_LIST);
  if (wallList != 0) {
    glNewList(wallList, GL_COMPILE);
    glTranslatef(0, 0, -1);
    glNormal3f(0, 0, 1);
    WallQuad();
    glEndList();
  }
  if (floorList != 0) {
    glNewList(floorList, GL_COMPILE);
    glTranslatef(0, -1, 0);
    glNormal3f(0, 1, 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex3f(-1, 0, 1);
    glTexCoord2f(2, 0); glVertex3f(1, 0, 1);
    glTexCoord2f(2, 2); glVertex3f(1, 0, -1);
    glTexCoord2f(0, 2); glVertex3f(-1, 0, -1);
    glEnd();
    glEndList();
  }
  if (stairsList != 0) {
    // Side walls of one storey: the wall turned a quarter and three quarters about y.
    auto sideWalls = [this]() {
      for (float turn : {90.0f, 270.0f}) {
        glPushMatrix();
        glRotatef(turn, 0, 1, 0);
        glCallList(wallList);
        glPopMatrix();
      }
    };
    auto ceiling = [this]() {
      glPushMatrix();
      glRotatef(180, 0, 0, 1);
      glCallList(floorList);
      glPopMatrix();
    };
    glNewList(stairsList, GL_COMPILE);
    glTranslatef(0, -1, 0);
    glNormal3f(0, 1, 0);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glBegin(GL_QUADS);
    for (int k = 0; k < 20; ++k) {
      const float a = 0.1f * k;
      const float b = 0.1f * (k + 1);
      glTexCoord2f(0, 0); glVertex3f(-1, -a, 1 - 2 * a);
      glTexCoord2f(1, 0); glVertex3f(1, -a, 1 - 2 * a);
      glTexCoord2f(1, b); glVertex3f(1, -a, 1 - 2 * b);
      glTexCoord2f(0, b); glVertex3f(-1, -a, 1 - 2 * b);
    }
    glEnd();
    glTranslatef(0, 1, 0);
    ceiling();
    sideWalls();
    glTranslatef(0, -2, 0);
    sideWalls();
    glTranslatef(0, 2, -2);  // into the cell beyond the stairs
    ceiling();
    glPushMatrix();
    glCallList(wallList);
    glPopMatrix();
    sideWalls();
    glTranslatef(0, -2, 0);
    sideWalls();
    glEndList();
  }
  for (int mirrored = 0; mirrored < 2; ++mirrored) {
    const GLuint list = mirrored ? doorMirrorList : doorList;
    if (list == 0) continue;
    glNewList(list, GL_COMPILE);
    glTranslatef(0, 0, -1);
    glNormal3f(0, 0, 1);
    SetMaterial(1);
    WallQuad();
    SetMaterial(4);
    glBindTexture(GL_TEXTURE_2D, textures[2]);
    DoorQuad(mirrored != 0);
    glEndList();
  }
}

namespace {

// Reads one floor picture. 0, or -1 after "dungeon:<path> load error".
int ReadFloorPicture(const char* path, std::unique_ptr<unsigned char[]>* pixels, unsigned int* width,
                     unsigned int* height, unsigned int* pitch) {
  unsigned char* read = nullptr;
  if (LoadPNG(path, &read, width, height, pitch) != 0 || read == nullptr) {
    delete[] read;
    printf("dungeon:%s load error\n", path);
    return -1;
  }
  pixels->reset(read);
  return 0;
}

// Uploads a read floor picture with its mipmaps into `texture`, filtered trilinearly; the texture
// bound before stays bound.
void UploadFloorPicture(GLuint texture, const unsigned char* pixels, unsigned int width, unsigned int height,
                        unsigned int pitch) {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch % 4 == 0 ? static_cast<GLint>(pitch / 4) : 0);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, static_cast<GLint>(width), static_cast<GLint>(height), GL_RGBA,
                    GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

const TextureSet& FilesOfSet(int set) { return (set >= 2 && set <= 5) ? kTextureSets[set - 1] : kTextureSets[0]; }

const int PREPARE_STEPS = 6;  // read and upload for each of the three pictures

}  // namespace

int DungeonFloor::LoadTexture(int set) {
  if (!initialized) return -1;
  const TextureSet& files = FilesOfSet(set);
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_TEXTURES);
  for (int k = 0; k < 3; ++k) {
    std::unique_ptr<unsigned char[]> pixels;
    unsigned int width = 0, height = 0, pitch = 0;
    if (ReadFloorPicture(files.files[k], &pixels, &width, &height, &pitch) != 0) return -1;
    UploadFloorPicture(textures[k], pixels.get(), width, height, pitch);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  return 0;
}

void DungeonFloor::PrepareFloor(int floor) {
  if (!initialized) return;
  const int set = SetBeginningAt(floor);
  if (set == 0) return;
  if (preparedSet != set) {
    DropPrepared();
    preparedSet = set;
    glGenTextures(3, preparedTextures);
  }
  if (preparedSteps >= PREPARE_STEPS) return;
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_TEXTURES);
  const int k = preparedSteps / 2;
  if (preparedSteps % 2 == 0) {
    if (ReadFloorPicture(FilesOfSet(set).files[k], &preparedPixels, &preparedWidth, &preparedHeight,
                         &preparedPitch) != 0) {
      DropPrepared();  // SetMap loads the set itself and says what failed
      return;
    }
  } else {
    UploadFloorPicture(preparedTextures[k], preparedPixels.get(), preparedWidth, preparedHeight, preparedPitch);
    preparedPixels.reset();
  }
  ++preparedSteps;
}

void DungeonFloor::UseTextureSet(int set) {
  if (!initialized) return;
  if (preparedSet != set || preparedSteps < PREPARE_STEPS) {
    DropPrepared();
    LoadTexture(set);
    return;
  }
  // The lists bind the wall and door textures by name: they are made again for the new names.
  glDeleteTextures(3, textures);
  for (int k = 0; k < 3; ++k) {
    textures[k] = preparedTextures[k];
    preparedTextures[k] = 0;
  }
  preparedSet = preparedSteps = 0;
  CompileLists();
}

void DungeonFloor::DropPrepared() {
  if (preparedTextures[0] != 0) glDeleteTextures(3, preparedTextures);
  for (GLuint& texture : preparedTextures) texture = 0;
  preparedPixels.reset();
  preparedSet = preparedSteps = 0;
}

void DungeonFloor::Finalize() {
  if (!initialized) return;
  for (GLuint list : {wallList, floorList, doorList, doorMirrorList, stairsList}) {
    if (list != 0) glDeleteLists(list, 1);
  }
  wallList = floorList = doorList = doorMirrorList = stairsList = 0;
  DropPrepared();
  glDeleteTextures(4, textures);
  for (GLuint& texture : textures) texture = 0;
  std::vector<int>().swap(map);
  std::vector<int>().swap(visibleMap);
  rows = cols = 0;
  initialized = 0;
}

int DungeonFloor::SetMap(float* startPos, int floor) {
  floorNumber = floor;
  EnsureArrays();
  if (IsBossFloor(floor)) {
    map.assign(map.size(), FLOOR_NONE);
    rows = kBossRows;
    cols = kBossCols;
    for (const BossCell& cell : kBossCells) map[cell.row * cols + cell.column] = cell.value;
    if (floor == 30) {
      map[kBossLastWall.row * cols + kBossLastWall.column] = kBossLastWall.value;
    } else {
      for (const BossCell& cell : kBossExit) map[cell.row * cols + cell.column] = cell.value;
    }
    startRow = kBossStartRow;
    startCol = kBossStartCol;
  } else {
    // Negative floors are sized like floor 0, so the map never shrinks below the generator's
    // limits; the size is cut to the allocated 20 x 20 in any case.
    const int grown = (floor > 0 ? floor : 0) / 5 + 20;
    rows = grown < maxRows ? grown : maxRows;
    cols = grown < maxCols ? grown : maxCols;
    DungeonMake::DMParams params;
    params.width = cols;
    params.height = rows;
    params.floorTier = floor / 10 + 2;
    params.startX = 0;
    params.startY = 0;
    params.segmentsX = 3;
    params.segmentsY = 3;
    DungeonMake::MakeNewDungeon(map.data(), &params);
    startRow = params.startY;
    startCol = params.startX;
  }
  visibleMap.assign(visibleMap.size(), FLOOR_NONE);

  int cell[3] = {startRow, 0, startCol};
  getMaptoWorld(cell, startPos);

  if (const int set = SetBeginningAt(floor)) UseTextureSet(set);
  return 0;
}

int DungeonFloor::SetMapData(const int* cells, int newRows, int newCols, int newStartRow,
                             int newStartCol) {
  if (cells == nullptr || newRows < 1 || newCols < 1 || newRows > maxRows || newCols > maxCols) {
    return -1;
  }
  EnsureArrays();
  map.assign(map.size(), FLOOR_NONE);
  rows = newRows;
  cols = newCols;
  for (int k = 0; k < rows * cols; ++k) map[k] = cells[k];
  startRow = newStartRow;
  startCol = newStartCol;
  visibleMap.assign(visibleMap.size(), FLOOR_NONE);
  return 0;
}

int DungeonFloor::CellIndex(float coordinate) const {
  // ceil(v / halfCell), then halved rounding down, so that every cell spans exactly
  // (4i - 2, 4i + 2] also left of the origin. Far-off and non-finite values are held at a
  // distance that is still off every map.
  double q = std::ceil(static_cast<double>(coordinate) / halfCell);
  if (!(q > -1e6)) q = -1e6;
  if (q > 1e6) q = 1e6;
  const int half = static_cast<int>(q);
  return half >= 0 ? half / 2 : -((1 - half) / 2);
}

int DungeonFloor::getWorldtoMap(const float* pos, int* cell) const {
  cell[0] = CellIndex(pos[0]);
  cell[1] = 0;
  cell[2] = CellIndex(-pos[2]);
  return 0;
}

int DungeonFloor::getMaptoWorld(const int* cell, float* pos) const {
  pos[0] = static_cast<float>(2 * halfCell * cell[0]);
  pos[1] = 0.0f;
  pos[2] = static_cast<float>(-2 * halfCell * cell[2]);
  return 0;
}

int DungeonFloor::getCell(int row, int column) const {
  if (row < 0 || column < 0 || row >= rows || column >= cols) return FLOOR_NONE;
  return map[row * cols + column];
}

int DungeonFloor::getVisibleCell(int row, int column) const {
  if (row < 0 || column < 0 || row >= rows || column >= cols) return FLOOR_NONE;
  return visibleMap[row * cols + column];
}

void DungeonFloor::getStartCell(int* row, int* column) const {
  *row = startRow;
  *column = startCol;
}

GLuint DungeonFloor::getTexture(int index) const {
  if (!initialized || index < 0 || index > 3) return 0;
  return textures[index];
}

void DungeonFloor::MapSize(int* rowsOut, int* colsOut) const {
  *rowsOut = rows;
  *colsOut = cols;
}

int DungeonFloor::DownFloor(const float* pos) {
  int cell[3];
  getWorldtoMap(pos, cell);
  return (getCell(cell[0], cell[2]) & FLOOR_STEP) ? 1 : 0;
}

int DungeonFloor::ThroughDoor(const float* pos) {
  int cell[3];
  getWorldtoMap(pos, cell);
  const int c = getCell(cell[0], cell[2]);
  if (!(c & DungeonConst::DOOR_ALL)) return 0;
  const float lx = pos[0] / halfCell - 2 * cell[0];
  const float lz = -pos[2] / halfCell - 2 * cell[2];
  const float lo = DungeonConst::DoorPos;
  const float hi = DungeonConst::DoorPos + DungeonConst::DoorSize;
  if ((c & DungeonConst::DOOR_RIGHT) && lz > kDoorDepth && lo < lx && lx < hi) return 1;
  if ((c & DungeonConst::DOOR_LEFT) && lz < -kDoorDepth && lo < lx && lx < hi) return 2;
  if ((c & DungeonConst::DOOR_DOWN) && lx > kDoorDepth && lo < lz && lz < hi) return 3;
  if ((c & DungeonConst::DOOR_UP) && lx < -kDoorDepth && lo < lz && lz < hi) return 4;
  return 0;
}

bool DungeonFloor::isFloor(int row, int column) const {
  if (row < 0 || column < 0 || row >= rows || column >= cols) return false;
  if (row == startRow && column == startCol) return false;
  const int c = map[row * cols + column];
  return !(c & FLOOR_NONE) && !(c & FLOOR_STEP);
}

bool DungeonFloor::isVisibleMap(const float* pos) const {
  int cell[3];
  getWorldtoMap(pos, cell);
  return getVisibleCell(cell[0], cell[2]) != FLOOR_NONE;
}

void DungeonFloor::SetDrawArea(const float* pos, float /*yaw*/) {
  if (visibleMap.empty()) return;
  int cell[3];
  getWorldtoMap(pos, cell);
  viewX = pos[0];
  viewZ = pos[2];
  const int row = cell[0];
  const int column = cell[2];
  for (int k = 0; k < rows * cols; ++k) visibleMap[k] = FLOOR_NONE;
  if (row < 0 || column < 0 || row >= rows || column >= cols) return;
  const int c = map[row * cols + column];
  visibleMap[row * cols + column] = c;
  const int open = StairWalls(c);
  for (const ScanSide& side : kScanSides) {
    if (!(open & side.bit)) ScanDisplayArea(column + side.dCol, row + side.dRow, side.bit, 99);
  }
}

void DungeonFloor::ScanDisplayArea(int column, int row, int direction, int depth) {
  if (row < 0 || column < 0 || row >= rows || column >= cols) return;
  if (visibleMap[row * cols + column] != FLOOR_NONE) return;
  int c = map[row * cols + column];
  visibleMap[row * cols + column] = c;
  if ((c & FLOOR_NONE) || (c & FLOOR_STEP)) return;

  const ScanSide& walk = ScanSideOf(direction);
  for (;;) {
    c = map[row * cols + column];
    visibleMap[row * cols + column] = c;
    if (depth >= 0) {
      for (int across : walk.across) {
        if (c & across) continue;
        const ScanSide& side = ScanSideOf(across);
        ScanDisplayArea(column + side.dCol, row + side.dRow, across, depth - 1);
      }
    }
    if (c & direction) break;
    row += walk.dRow;
    column += walk.dCol;
    if (row < 0 || column < 0 || row >= rows || column >= cols) break;  // the map's edge
  }
}

void DungeonFloor::SetMaterial(int kind) {
  static const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  static const GLfloat specular[4] = {0.01f, 0.01f, 0.01f, 1.0f};
  static const GLfloat ambient[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  static const GLfloat emission[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  static const GLfloat doorDiffuse[4] = {0.5f, 0.3f, 0.1f, 1.0f};
  static const GLfloat doorAmbient[4] = {0.5f, 0.4f, 0.4f, 1.0f};
  // Texture bound by each kind: 0 wall, 1 floor, -1 none.
  static const int kTextureOfKind[5] = {-1, 0, 1, 0, -1};
  glBindTexture(GL_TEXTURE_2D, 0);
  const bool door = kind == 4;
  glMaterialfv(GL_FRONT, GL_DIFFUSE, door ? doorDiffuse : diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT, GL_AMBIENT, door ? doorAmbient : ambient);
  glMaterialfv(GL_FRONT, GL_EMISSION, emission);
  glMaterialf(GL_FRONT, GL_SHININESS, 30.0f);
  if (kind >= 1 && kind <= 4 && kTextureOfKind[kind] >= 0) {
    glBindTexture(GL_TEXTURE_2D, textures[kTextureOfKind[kind]]);
  }
}

void DungeonFloor::UseMaterial(int kind) {
  if (kind == materialSet) return;
  SetMaterial(kind);
  materialSet = kind;
}

void DungeonFloor::DrawMap() {
  if (!initialized) return;
  const float s = static_cast<float>(halfCell);
  // Nearest cells first: what they hide fails the depth test before it is textured.
  drawOrder.clear();
  for (int k = 0; k < rows * cols; ++k) {
    if (visibleMap[k] & FLOOR_NONE) continue;
    const float dx = 2 * s * (k / cols) - viewX, dz = -2 * s * (k % cols) - viewZ;
    drawOrder.push_back({dx * dx + dz * dz, k});
  }
  std::sort(drawOrder.begin(), drawOrder.end());
  materialSet = -1;
  glColor3f(1, 1, 1);
  glPushMatrix();
  glScalef(s, s, s);
  for (const auto& cell : drawOrder) {
    const int i = cell.second / cols, j = cell.second % cols;
    // The same two translations as a row then a cell, so the matrices are the same to the bit.
    glPushMatrix();
    glTranslatef(s * i, 0, 0);
    DrawCell(i, j, visibleMap[cell.second]);
    glPopMatrix();
  }
  glPopMatrix();
}

void DungeonFloor::DrawCell(int /*i*/, int j, int v) {
  const float s = static_cast<float>(halfCell);
  glPushMatrix();
  glTranslatef(0, 0, -s * j);
  if (v & FLOOR_STEP) {
    glRotatef(StairTurnOf(v ^ FLOOR_STEP), 0, 1, 0);
    UseMaterial(1);
    glCallList(stairsList);  // binds the wall texture again: still material 1
  } else {
    // The floor list moves the matrix down to the floor itself, so it gets its own push
    // and pop like every other piece; the ceiling and walls stay at the cell's middle.
    UseMaterial(2);
    glPushMatrix();
    glCallList(floorList);
    glPopMatrix();
    UseMaterial(3);
    glPushMatrix();
    glRotatef(180, 0, 0, 1);
    glCallList(floorList);
    glPopMatrix();
    for (int k = 0; k < 4; ++k) {
      if (k > 0) glRotatef(90, 0, 1, 0);
      const DrawSide& side = kDrawSides[k];
      if (!(v & side.wall)) continue;
      glPushMatrix();
      if (v & side.door) {
        glCallList(side.mirrored ? doorMirrorList : doorList);
        materialSet = -1;  // the door's own material with the door texture bound
      } else {
        UseMaterial(1);
        glCallList(wallList);
      }
      glPopMatrix();
    }
  }
  glPopMatrix();
}
