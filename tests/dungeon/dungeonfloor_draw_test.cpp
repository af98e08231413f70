// Tests of the dungeon floor's OpenGL half: texture sets and their messages, display lists,
// and a drawn frame of a known map.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "dungeon/dungeonfloor.h"
#include "floortestmaps.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace {

struct Colour {
  unsigned char r, g, b;
};

// Runs the test inside a scratch folder holding img/walls/, so that the relative texture paths
// of the floor point there.
class DungeonDraw : public testsupport::GLTest {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(oldDir, sizeof(oldDir)), nullptr);
    ASSERT_EQ(chdir(scratch.path().c_str()), 0);
    ASSERT_EQ(system("mkdir -p img/walls"), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(oldDir), 0); }

  static void Picture(const std::string& name, Colour c) {
    std::vector<unsigned char> pixels;
    for (int k = 0; k < 8 * 8; ++k) pixels.insert(pixels.end(), {c.r, c.g, c.b});
    testsupport::WriteTestPNG("img/walls/" + name, 8, 8, 3, pixels);
  }

  // The first pixel of a texture's top level.
  static Colour TextureColour(GLuint texture) {
    std::vector<unsigned char> pixels(8 * 8 * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return {pixels[0], pixels[1], pixels[2]};
  }

  testsupport::ScratchDir scratch;
  char oldDir[4096];
};

bool Same(Colour a, Colour b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

const Colour kRed = {200, 0, 0}, kGreen = {0, 200, 0}, kBlue = {0, 0, 200};
const Colour kYellow = {200, 200, 0}, kCyan = {0, 200, 200}, kGrey = {90, 90, 90};

// Runs SetMap and returns what it printed.
std::string SetMapOutput(DungeonFloor* dungeon, int floor) {
  float start[3];
  testing::internal::CaptureStdout();
  dungeon->SetMap(start, floor);
  return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST_F(DungeonDraw, TextureSetsChangeAtTheFirstFloorOfEachGroup) {
  Picture("rock.png", kRed);
  Picture("rock-floor.png", kGreen);
  Picture("door-one.png", kBlue);
  Picture("clay.png", kYellow);
  Picture("clay-floor.png", kCyan);
  Picture("door-two.png", kGrey);
  DungeonFloor dungeon;
  EXPECT_EQ(dungeon.LoadTexture(1), -1);  // before Init: no texture names yet
  testing::internal::CaptureStdout();
  ASSERT_EQ(dungeon.Init(60.0f * 800 / 600), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(0)), kRed));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(1)), kGreen));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(2)), kBlue));

  EXPECT_EQ(SetMapOutput(&dungeon, 5), "");
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(0)), kRed));
  EXPECT_EQ(SetMapOutput(&dungeon, 6), "");
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(0)), kYellow));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(1)), kCyan));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(2)), kGrey));
  EXPECT_EQ(SetMapOutput(&dungeon, 7), "");
  EXPECT_EQ(SetMapOutput(&dungeon, 10), "");

  // Sets 3 to 5 are missing: each first floor of a group names its wall picture, and the textures
  // loaded before stay.
  const struct {
    int floor;
    const char* message;
  } missing[] = {{11, "dungeon:img/walls/lime.png load error\n"},
                 {21, "dungeon:img/walls/copper.png load error\n"},
                 {27, "dungeon:img/walls/melpaims.png load error\n"}};
  for (const auto& m : missing) {
    const std::string out = SetMapOutput(&dungeon, m.floor);
    EXPECT_NE(out.find(m.message), std::string::npos) << m.floor << ": " << out;
    EXPECT_EQ(out.find("floor.png"), std::string::npos) << "stops at the first missing picture";
    EXPECT_EQ(SetMapOutput(&dungeon, m.floor + 1), "");
  }
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(0)), kYellow));

  // A set with its floor picture missing keeps the wall it loaded and the door it had.
  ASSERT_EQ(unlink("img/walls/rock-floor.png"), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(dungeon.LoadTexture(7), -1);  // unknown sets mean set 1
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("dungeon:img/walls/rock-floor.png load error\n"), std::string::npos) << out;
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(0)), kRed));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(1)), kCyan));
  EXPECT_TRUE(Same(TextureColour(dungeon.getTexture(2)), kGrey));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  dungeon.Finalize();
  EXPECT_EQ(dungeon.getTexture(0), 0u);
  dungeon.Finalize();  // twice is harmless
}

TEST_F(DungeonDraw, InitTwiceAndWithoutPictures) {
  DungeonFloor dungeon;
  testing::internal::CaptureStdout();
  ASSERT_EQ(dungeon.Init(80.0f), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("dungeon:img/walls/rock.png load error\n"), std::string::npos) << out;
  testing::internal::CaptureStdout();
  ASSERT_EQ(dungeon.Init(80.0f), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_NE(dungeon.getTexture(2), 0u);
  float start[3];
  dungeon.SetMap(start, 20);
  dungeon.SetDrawArea(start, 0);
  dungeon.DrawMap();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  dungeon.Finalize();
}

TEST_F(DungeonDraw, AFrameShowsWallsFloorAndADoor) {
  Picture("rock.png", kRed);
  Picture("rock-floor.png", kGreen);
  Picture("door-one.png", kBlue);
  DungeonFloor dungeon;
  ASSERT_EQ(dungeon.Init(80.0f), 0);
  // A closed cell (1, 1) with a door in its +x wall (world -z), next to stairs and a room.
  std::vector<int> cells = floortest::OpenMap(3, 3);
  cells[1 * 3 + 1] = 15 | 16;
  cells[0 * 3 + 1] = 512 | 8;
  ASSERT_EQ(dungeon.SetMapData(cells.data(), 3, 3, 1, 1), 0);
  float eye[3];
  floortest::LocalToWorld(1, 1, 0, 0, -0.8, eye);  // near the -x wall, looking at the door
  dungeon.SetDrawArea(eye, 0);
  ASSERT_EQ(dungeon.getVisibleCell(1, 2), 256);

  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(70.0, 800.0 / 600.0, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye[0], eye[1], eye[2], eye[0], eye[1] - 1.5, eye[2] - 6, 0, 1, 0);
  dungeon.DrawMap();
  glFinish();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Kept in the test's working folder for people to look at.
  testsupport::SaveBackBuffer((std::string(oldDir) + "/dungeonfloor_frame.png").c_str());
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  auto at = [&](int x, int y) {
    const unsigned char* p = &frame[(static_cast<size_t>(y) * 800 + x) * 4];
    return Colour{p[0], p[1], p[2]};
  };
  auto dominant = [](Colour c) {
    if (c.r > 100 && c.g < 60 && c.b < 60) return 'r';
    if (c.g > 100 && c.r < 60 && c.b < 60) return 'g';
    if (c.b > 100 && c.r < 60 && c.g < 60) return 'b';
    return '?';
  };
  // Wall above and beside the door, the door in the middle, the floor at the bottom.
  EXPECT_EQ(dominant(at(400, 20)), 'r');
  EXPECT_EQ(dominant(at(60, 250)), 'r');
  EXPECT_EQ(dominant(at(740, 250)), 'r');
  EXPECT_EQ(dominant(at(400, 330)), 'b');
  EXPECT_EQ(dominant(at(400, 590)), 'g');
  int counts[3] = {0, 0, 0};
  for (int y = 0; y < 600; y += 4) {
    for (int x = 0; x < 800; x += 4) {
      const char d = dominant(at(x, y));
      counts[0] += d == 'r';
      counts[1] += d == 'g';
      counts[2] += d == 'b';
    }
  }
  EXPECT_GT(counts[0], 1000);
  EXPECT_GT(counts[1], 1000);
  EXPECT_GT(counts[2], 500);

  // The stairs draw without errors from their own cell.
  float onStairs[3];
  floortest::LocalToWorld(0, 1, 0, 0, 0, onStairs);
  cells[1 * 3 + 1] = 0;
  dungeon.SetMapData(cells.data(), 3, 3, 1, 1);
  dungeon.SetDrawArea(onStairs, 0);
  dungeon.DrawMap();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  dungeon.Finalize();
}
