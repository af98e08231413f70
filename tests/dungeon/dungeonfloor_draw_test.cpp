// Tests of the dungeon floor's OpenGL half: texture sets and their messages, and which way the
// doors and the stairs of each side face.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "dungeon/dungeonfloor.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace {

// Colours (0xRRGGBB) of the wall, floor and door pictures of sets 1 and 2, and of the wall and
// floor of set 3 (which shares set 2's door).
const unsigned kSets[8] = {0xC80000, 0x00C800, 0x0000C8, 0xC8C800,
                           0x00C8C8, 0x5A5A5A, 0x8000C8, 0xC86400};
const char* const kFiles[8] = {"rock", "rock-floor", "door-one", "clay",
                               "clay-floor", "door-two", "lime", "lime-floor"};

// Runs each test inside a scratch folder, where the floor's relative paths img/walls/... point,
// with 8 x 8 pictures of one colour each for the first `count` files above.
class DungeonDraw : public testsupport::GLTest {
 protected:
  void Pictures(int count) {
    ASSERT_NE(getcwd(oldDir, sizeof(oldDir)), nullptr);
    ASSERT_EQ(chdir(scratch.path().c_str()), 0);
    ASSERT_EQ(system("mkdir -p img/walls"), 0);
    for (int n = 0; n < count; ++n) {
      std::vector<unsigned char> pixels;
      for (int k = 0; k < 192; ++k) pixels.push_back(kSets[n] >> (16 - 8 * (k % 3)) & 255);
      testsupport::WriteTestPNG("img/walls/" + std::string(kFiles[n]) + ".png", 8, 8, 3, pixels);
    }
  }
  void TearDown() override { ASSERT_EQ(chdir(oldDir), 0); }

  // The colours of the wall, floor and door textures' first pixels.
  static std::vector<unsigned> Textures(const DungeonFloor& d) {
    std::vector<unsigned> colours;
    for (int k = 0; k < 3; ++k) {
      unsigned char p[8 * 8 * 4];
      glBindTexture(GL_TEXTURE_2D, d.getTexture(k));
      glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p);
      colours.push_back(p[0] << 16 | p[1] << 8 | p[2]);
    }
    return colours;
  }
  static std::string SetMapOutput(DungeonFloor* d, int floor) {
    float start[3];
    testing::internal::CaptureStdout();
    d->SetMap(start, floor);
    return testing::internal::GetCapturedStdout();
  }

  testsupport::ScratchDir scratch;
  char oldDir[4096] = ".";
};

}  // namespace

TEST_F(DungeonDraw, TextureSetsChangeAtTheFirstFloorOfEachGroup) {
  Pictures(8);
  DungeonFloor d;
  EXPECT_EQ(d.LoadTexture(1), -1);  // before Init: no texture names yet
  ASSERT_EQ(d.Init(80.0f), 0);
  const std::vector<unsigned> set1(kSets, kSets + 3), set2(kSets + 3, kSets + 6);
  const std::vector<unsigned> set3 = {kSets[6], kSets[7], kSets[5]};
  EXPECT_EQ(Textures(d), set1);
  for (int floor : {5, 6, 10, 11}) {  // set 2 from floor 6 on, set 3 (set 2's door) from 11
    // Floor 6's set is made ready beforehand, untouched in use until SetMap only puts it in place
    // under new names; floor 11's is half ready and loaded at once into the names in use.
    const GLuint wall = d.getTexture(0);
    for (int step = 0; step < (floor == 6 ? 6 : 3); ++step) d.PrepareFloor(floor);
    EXPECT_EQ(Textures(d), floor <= 6 ? set1 : set2) << "floor " << floor;
    EXPECT_EQ(SetMapOutput(&d, floor), "");
    EXPECT_EQ(Textures(d), floor == 5 ? set1 : floor == 11 ? set3 : set2) << "floor " << floor;
    EXPECT_EQ(d.getTexture(0) != wall, floor == 6) << "floor " << floor;
  }
  // Sets 4 and 5 are missing: their first floors name the wall picture and keep set 3.
  const char* walls[2] = {"copper", "melpaims"};
  const int firsts[2] = {21, 27};
  for (int k = 0; k < 2; ++k) {
    const std::string out = SetMapOutput(&d, firsts[k]);  // the decoder's line, then ours
    const std::string line = "dungeon:img/walls/" + std::string(walls[k]) + ".png load error\n";
    EXPECT_EQ(out.size() - line.size(), out.rfind(line)) << out;
    EXPECT_EQ(SetMapOutput(&d, firsts[k] + 1), "");
  }
  EXPECT_EQ(Textures(d), set3);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  d.Finalize();
  EXPECT_EQ(d.getTexture(0), 0u);
  d.Finalize();
}

// From the middle of a cell, looking at each side in turn (the map's +x side, world -z, then
// -y, -x and +y): the door picture (left half yellow, right half cyan) shows mirrored on the
// sides 2 and 4, so that its handle sits at the same place seen from either room; and stairs
// leading away on each side show their opening, the end wall two cells off (10 units from the
// eye) instead of a wall at the cell's edge.
TEST_F(DungeonDraw, DoorsAndStairsOfEverySideFaceTheirWay) {
  Pictures(3);
  std::vector<unsigned char> door;
  for (int k = 0; k < 64; ++k) {
    const unsigned colour = k % 8 < 4 ? 0xC8C800 : 0x00C8C8;
    for (int c = 0; c < 3; ++c) door.push_back(colour >> (16 - 8 * c) & 255);
  }
  testsupport::WriteTestPNG("img/walls/door-one.png", 8, 8, 3, door);
  DungeonFloor d;
  ASSERT_EQ(d.Init(80.0f), 0);
  ASSERT_EQ(d.Init(80.0f), 0);  // a second Init starts afresh
  const float eye[3] = {4, 0, -4};
  const float looks[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};  // x, z of each side
  const auto frame = [&](int side, GLenum what) {  // 70 degrees high, near plane 1, far plane 100
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70.0, 800.0 / 600.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye[0], eye[1], eye[2], eye[0] + looks[side][0], eye[1], eye[2] + looks[side][1], 0, 1, 0);
    d.DrawMap();
    std::vector<float> pixels(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, what, GL_FLOAT, pixels.data());
    return pixels;
  };
  // The middle cell closed by a door on every side.
  std::vector<int> cells(9, 256);
  cells[4] = 255;
  ASSERT_EQ(d.SetMapData(cells.data(), 3, 3, 1, 1), 0);
  d.SetDrawArea(eye, 0);
  std::string handles;
  for (int side = 0; side < 4; ++side) {
    const std::vector<float> rgba = frame(side, GL_RGBA);
    for (int x : {325, 475}) {  // left and right halves of the door, 1.4 units wide 2 units off
      const float* p = &rgba[(300 * 800 + x) * 4];
      const bool yellow = p[0] > 0.6f && p[1] > 0.6f && p[2] < 0.2f;
      handles += yellow ? 'y' : p[0] < 0.2f && p[1] > 0.6f && p[2] > 0.6f ? 'c' : '?';
    }
    handles += ' ';
  }
  EXPECT_EQ("yc yc cy cy ", handles);
  // Open middle cell; stairs leading away on its four sides.
  cells = {256, 512 | 8, 256, 512 | 2, 0, 512 | 1, 256, 512 | 4, 256};
  ASSERT_EQ(d.SetMapData(cells.data(), 3, 3, 1, 1), 0);
  d.SetDrawArea(eye, 0);
  for (int side = 0; side < 4; ++side) {
    const float depth = frame(side, GL_DEPTH_COMPONENT)[300 * 800 + 400];
    const float distance = 2.0f * 100.0f / (101.0f - (2.0f * depth - 1.0f) * 99.0f);
    EXPECT_NEAR(10.0f, distance, 0.1f) << "side " << side;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  d.Finalize();
}
