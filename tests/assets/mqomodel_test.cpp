// Tests of MQO models in an OpenGL window: textures, display lists, materials and drawing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/mqomodel.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;
const std::vector<int> kWhite = {255, 255, 255};

// An object of quads facing the viewer, each {x0, x1, half height, material}, UVs over the
// whole texture.
std::string QuadObject(const std::vector<std::array<float, 4>>& quads) {
  std::string vertices, faces;
  for (size_t i = 0; i < quads.size(); ++i) {
    const std::array<float, 4>& q = quads[i];
    for (int c = 0; c < 4; ++c) {
      vertices += "\t\t" + std::to_string(c == 1 || c == 2 ? q[1] : q[0]) + " " +
                  std::to_string(c < 2 ? -q[2] : q[2]) + " 0\n";
    }
    faces += "\t\t4 V(" + std::to_string(4 * i) + " " + std::to_string(4 * i + 1) + " " +
             std::to_string(4 * i + 2) + " " + std::to_string(4 * i + 3) + ") M(" +
             std::to_string(static_cast<int>(q[3])) + ") UV(0 0 1 0 1 1 0 1)\n";
  }
  return "Object \"q\" {\n\tvertex " + std::to_string(4 * quads.size()) + " {\n" + vertices +
         "\t}\n\tface " + std::to_string(quads.size()) + " {\n" + faces + "\t}\n}\n";
}

class MQOModelTest : public testsupport::GLTest {
 protected:
  void SetUp() override {
    testsupport::GLTest::SetUp();
    if (HasFatalFailure()) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);  // 4 world units across, 200 pixels per unit in x
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_TEXTURE_2D}) glDisable(cap);
    glColor3f(1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void TearDown() override { model.Finalize(); }

  // Loads a model file with its textures; stdout of the load goes to `output`.
  int Load(const std::string& file) {
    testing::internal::CaptureStdout();
    const int result = model.Init(file.c_str());
    output = testing::internal::GetCapturedStdout();
    return result;
  }
  int Init(const std::string& text) {
    testsupport::WriteFile(dir.file("m.mqo"), text);
    return Load(dir.file("m.mqo"));
  }

  // RGB of the back buffer's pixel at world point (x, y) of the orthographic view.
  static std::vector<int> Pixel(float x, float y) {
    const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
    const int px = static_cast<int>((x + 2.0f) / 4.0f * kWidth);
    const int row = static_cast<int>((2.0f - y) / 4.0f * kHeight);
    const unsigned char* p = &frame[(static_cast<size_t>(row) * kWidth + px) * 4];
    return {p[0], p[1], p[2]};
  }

  testsupport::ScratchDir dir;
  MQOModel model;
  std::string output;
};

TEST_F(MQOModelTest, FacesWithoutAValidMaterialKeepThePreviousOneUntextured) {
  // Material 0: white emission through a green texture; material 1: red emission, no texture.
  // Faces left to right, then the colour each shows.
  const std::vector<int> red = {255, 0, 0}, green = {0, 255, 0};
  struct Case {
    std::vector<std::array<float, 4>> faces;
    std::vector<std::vector<int>> colours;
  };
  const Case cases[] = {
      // M -1 and M 5 (only two materials) keep the white emission of material 0, untextured.
      {{{-2, -1, 1, 1}, {-1, 0, 1, 0}, {0, 1, 1, -1}, {1, 2, 1, 5}}, {red, green, kWhite, kWhite}},
      // A material is set only where it changes: one coming back after another is set again.
      {{{-2, -1, 1, 0}, {-1, 0, 1, 1}, {0, 1, 1, -1}, {1, 2, 1, 0}}, {green, red, red, green}},
  };
  testsupport::WriteTestPNG(dir.file("green.png"), 2, 2, 3, {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0});
  glEnable(GL_LIGHTING);
  const float noAmbient[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
  glEnable(GL_TEXTURE_2D);
  for (const Case& c : cases) {
    ASSERT_EQ(0, Init("Material 2 {\n"
                      "\t\"g\" col(1 1 1 1) dif(0) amb(0) emi(1) spc(0) power(0) tex(\"green.png\")\n"
                      "\t\"r\" col(1 0 0 1) dif(0) amb(0) emi(1) spc(0) power(0)\n}\n" +
                      QuadObject(c.faces)))
        << output;
    glClear(GL_COLOR_BUFFER_BIT);
    model.Draw();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(c.colours[k], Pixel(-0.75f + 0.5f * k, 0.0f)) << "face " << k;
  }
}

TEST_F(MQOModelTest, TexturesComeFromTheModelsFolderAndAreReleasedWithIt) {
  const std::string text = "Material 1 {\n\t\"t\" col(1 1 1 1) tex(\"t.png\")\n}\n" +
                           QuadObject({{-1, 1, 1, 0}});
  EXPECT_EQ(-1, Init(text));
  EXPECT_EQ("file open error\nMQOModel:Texture Error:t.png\n", output);
  EXPECT_TRUE(model.displayLists.empty());

  // A bare file name's textures come from the working folder (once read from "/t.png").
  testsupport::WriteTestPNG("t.png", 1, 1, 4, {1, 2, 3, 4});
  testsupport::WriteFile("plain.mqo", text);
  EXPECT_EQ(0, Load("plain.mqo")) << output;
  EXPECT_TRUE(model.materials[0].hasTexture);
  model.Finalize();
  std::remove("plain.mqo");
  std::remove("t.png");

  // Beside the model the texture loads; a second Init and Finalize each release it.
  testsupport::WriteTestPNG(dir.file("t.png"), 1, 1, 3, {9, 9, 9});
  ASSERT_EQ(0, Init(text)) << output;
  ASSERT_EQ(0, Init(text));
  const GLuint texture = model.materials[0].texture, list = model.displayLists[0];
  ASSERT_TRUE(glIsTexture(texture));
  model.Finalize();
  EXPECT_FALSE(glIsList(list));
  EXPECT_FALSE(glIsTexture(texture));
  model.Finalize();  // twice is harmless
}

TEST_F(MQOModelTest, ModelWithoutDrawnVerticesDrawsNothing) {
  ASSERT_EQ(0, Init("Object \"o\" {\n\tvertex 2 {\n\t\t1 1 1\n\t\t2 2 2\n\t}\n}\n"
                    "Object \"p\" {\n\tvertex 0 {\n\t}\n\tface 0 {\n\t}\n}\n"));
  EXPECT_EQ(0.0f, model.extent);
  EXPECT_EQ(0, model.Draw());
  EXPECT_EQ(0, model.DrawObj(1));
  // A two-corner face draws nothing either, but its vertices count in the size.
  ASSERT_EQ(0, Init("Object \"o\" {\n\tvertex 2 {\n\t\t1 1 1\n\t\t3 0 0\n\t}\n"
                    "\tface 1 {\n\t\t2 V(0 1)\n\t}\n}\n"));
  EXPECT_EQ(3.0f, model.extent);
  EXPECT_EQ(0, model.Draw());
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();  // of both models
  for (size_t i = 0; i < frame.size(); i += 4) ASSERT_EQ(0, frame[i]);
}

// Drawing one object of a model: the enemies are drawn part by part in the picture test's frames.
TEST_F(MQOModelTest, DrawObjRefusesObjectsTheModelDoesNotHave) {
  ASSERT_EQ(0, Init(QuadObject({{-2, -1, 1, 0}}) + QuadObject({{1, 2, 1, 0}})));
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, model.DrawObj(2));
  EXPECT_EQ(-1, model.DrawObj(4000000000u));
  EXPECT_EQ("Invalid model No.2\nInvalid model No.4000000000\n",
            testing::internal::GetCapturedStdout());
}

}  // namespace
