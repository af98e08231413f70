// Tests of MQO models in an OpenGL window: textures, display lists, the unit scale and drawing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "assets/mqomodel.h"
#include "support/glwindow.h"
#include "support/testfiles.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;

// A quad face over x0..x1, y -1..1 with material `m` (UVs over the whole texture).
std::string Quad(int first, int m) {
  const std::string v = std::to_string(first) + " " + std::to_string(first + 1) + " " +
                        std::to_string(first + 2) + " " + std::to_string(first + 3);
  return "\t\t4 V(" + v + ") M(" + std::to_string(m) + ") UV(0 0 1 0 1 1 0 1)\n";
}

std::string QuadVertices(float x0, float x1, float y0, float y1) {
  auto line = [](float x, float y) { return "\t\t" + std::to_string(x) + " " + std::to_string(y) + " 0\n"; };
  return line(x0, y0) + line(x1, y0) + line(x1, y1) + line(x0, y1);
}

class MQOModelTest : public testsupport::GLTest {
 protected:
  void SetUp() override {
    testsupport::GLTest::SetUp();
    if (HasFatalFailure()) return;
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);  // 4 world units across, 200 pixels per unit in x
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { model.Finalize(); }

  int Init(const std::string& text, const std::string& name = "m.mqo") {
    path = dir.file(name);
    testsupport::WriteFile(path, text);
    testing::internal::CaptureStdout();
    const int result = model.Init(path.c_str());
    output = testing::internal::GetCapturedStdout();
    return result;
  }

  // RGB of the pixel at world point (x, y) of the orthographic view.
  std::vector<int> Pixel(const std::vector<unsigned char>& frame, float x, float y) {
    const int px = static_cast<int>((x + 2.0f) / 4.0f * kWidth);
    const int row = static_cast<int>((2.0f - y) / 4.0f * kHeight);
    const unsigned char* p = &frame[(static_cast<size_t>(row) * kWidth + px) * 4];
    return {p[0], p[1], p[2]};
  }

  testsupport::ScratchDir dir;
  MQOModel model;
  std::string path;
  std::string output;
};

const std::vector<int> kBlack = {0, 0, 0};
const std::vector<int> kWhite = {255, 255, 255};

TEST_F(MQOModelTest, LargestCoordinateIsDrawnAtOneUnit) {
  ASSERT_EQ(0, Init("Object \"q\" {\n\tvertex 4 {\n" + QuadVertices(-250, 250, -250, 250) +
                    "\t}\n\tface 1 {\n" + Quad(0, 0) + "\t}\n}\n"))
      << output;
  EXPECT_FLOAT_EQ(250.0f, model.extent);
  ASSERT_EQ(1u, model.displayLists.size());
  EXPECT_EQ(0, model.Draw());
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  EXPECT_EQ(kWhite, Pixel(frame, 0.0f, 0.0f));
  EXPECT_EQ(kWhite, Pixel(frame, 0.95f, 0.95f));
  EXPECT_EQ(kWhite, Pixel(frame, -0.95f, -0.95f));
  EXPECT_EQ(kBlack, Pixel(frame, 1.05f, 0.0f));
  EXPECT_EQ(kBlack, Pixel(frame, 0.0f, -1.05f));
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(MQOModelTest, FacesWithoutAValidMaterialKeepThePreviousOneUntextured) {
  // Material 0: white emission through a green texture; material 1: red emission, no texture.
  // Faces left to right: M 1, M 0, M -1, M 5 (only two materials): the last two keep the white
  // emission of material 0 but lose its texture.
  const std::vector<unsigned char> green = {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0};
  testsupport::WriteTestPNG(dir.file("green.png"), 2, 2, 3, green);
  ASSERT_EQ(0, Init("Material 2 {\n"
                    "\t\"g\" col(1 1 1 1) dif(0) amb(0) emi(1) spc(0) power(0) tex(\"green.png\")\n"
                    "\t\"r\" col(1 0 0 1) dif(0) amb(0) emi(1) spc(0) power(0)\n}\n"
                    "Object \"q\" {\n\tvertex 16 {\n" + QuadVertices(-2, -1, -1, 1) +
                    QuadVertices(-1, 0, -1, 1) + QuadVertices(0, 1, -1, 1) +
                    QuadVertices(1, 2, -1, 1) + "\t}\n\tface 4 {\n" + Quad(0, 1) + Quad(4, 0) +
                    Quad(8, -1) + Quad(12, 5) + "\t}\n}\n"))
      << output;
  ASSERT_TRUE(model.materials[0].hasTexture);
  EXPECT_FALSE(model.materials[1].hasTexture);
  EXPECT_FLOAT_EQ(2.0f, model.extent);

  glEnable(GL_LIGHTING);
  const float noAmbient[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
  glEnable(GL_TEXTURE_2D);
  model.Draw();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  EXPECT_EQ((std::vector<int>{255, 0, 0}), Pixel(frame, -0.75f, 0.0f));
  EXPECT_EQ((std::vector<int>{0, 255, 0}), Pixel(frame, -0.25f, 0.0f));
  EXPECT_EQ(kWhite, Pixel(frame, 0.25f, 0.0f));
  EXPECT_EQ(kWhite, Pixel(frame, 0.75f, 0.0f));
}

TEST_F(MQOModelTest, MissingTextureFailsTheWholeModel) {
  const std::string material = "Material 1 {\n\t\"t\" col(1 1 1 1) tex(\"t.png\")\n}\n";
  EXPECT_EQ(-1, Init(material));
  EXPECT_EQ("file open error\nMQOModel:Texture Error:t.png\n", output);
  EXPECT_TRUE(model.displayLists.empty());

  // With the picture beside the model the same file loads.
  testsupport::WriteTestPNG(dir.file("t.png"), 1, 1, 4, {1, 2, 3, 4});
  EXPECT_EQ(0, Init(material)) << output;

  // A path without separator has no folder: the texture is looked up as "/t.png", not beside it.
  testsupport::WriteTestPNG("t.png", 1, 1, 4, {1, 2, 3, 4});
  testsupport::WriteFile("plain.mqo", material);
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, model.Init("plain.mqo"));
  EXPECT_EQ("file open error\nMQOModel:Texture Error:t.png\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ("", model.directory);
  std::remove("plain.mqo");
  std::remove("t.png");
}

TEST_F(MQOModelTest, TwoVertexFaceDrawsNothingButCountsInExtent) {
  ASSERT_EQ(0, Init("Object \"o\" {\n\tvertex 4 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t\t-4 -4 0\n"
                    "\t}\n\tface 2 {\n\t\t3 V(0 1 2)\n\t\t2 V(0 3)\n\t}\n}\n"))
      << output;
  EXPECT_FLOAT_EQ(4.0f, model.extent);
  model.Draw();
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  EXPECT_EQ(kWhite, Pixel(frame, 0.05f, 0.05f));  // the triangle at a quarter of its size
  EXPECT_EQ(kBlack, Pixel(frame, 0.3f, 0.05f));
  // No line towards (-1, -1): every pixel around the diagonal stays dark.
  for (float t = 0.2f; t < 0.9f; t += 0.1f) {
    for (float d = -0.02f; d <= 0.02f; d += 0.005f) EXPECT_EQ(kBlack, Pixel(frame, -t + d, -t));
  }
}

TEST_F(MQOModelTest, ModelWithoutDrawnVerticesDrawsNothing) {
  ASSERT_EQ(0, Init("Object \"o\" {\n\tvertex 2 {\n\t\t1 1 1\n\t\t2 2 2\n\t}\n}\n"
                    "Object \"p\" {\n\tvertex 0 {\n\t}\n\tface 0 {\n\t}\n}\n"));
  EXPECT_EQ(0.0f, model.extent);
  EXPECT_EQ(2u, model.displayLists.size());
  EXPECT_EQ(0, model.Draw());
  EXPECT_EQ(0, model.DrawObj(1));
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_FLOAT_EQ(1.0f, matrix[0]);  // nothing pushed or scaled is left behind
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  for (size_t i = 0; i < frame.size(); i += 4) ASSERT_EQ(0, frame[i]);
}

TEST_F(MQOModelTest, DrawObjDrawsOneObjectAndRefusesOthers) {
  ASSERT_EQ(0, Init("Object \"a\" {\n\tvertex 4 {\n" + QuadVertices(-2, -1, -1, 1) +
                    "\t}\n\tface 1 {\n" + Quad(0, 0) + "\t}\n}\n" +
                    "Object \"b\" {\n\tvertex 4 {\n" + QuadVertices(1, 2, -1, 1) +
                    "\t}\n\tface 1 {\n" + Quad(0, 0) + "\t}\n}\n"));
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, model.DrawObj(2));
  EXPECT_EQ(-1, model.DrawObj(4000000000u));
  EXPECT_EQ("Invalid model No.2\nInvalid model No.4000000000\n",
            testing::internal::GetCapturedStdout());
  EXPECT_EQ(0, model.DrawObj(1));
  const std::vector<unsigned char> frame = testsupport::ReadBackBuffer();
  EXPECT_EQ(kBlack, Pixel(frame, -0.75f, 0.0f));
  EXPECT_EQ(kWhite, Pixel(frame, 0.75f, 0.0f));
}

TEST_F(MQOModelTest, FinalizeReleasesListsAndTexturesAndInitReloads) {
  testsupport::WriteTestPNG(dir.file("t.png"), 1, 1, 3, {9, 9, 9});
  const std::string text = "Material 1 {\n\t\"t\" col(1 1 1 1) tex(\"t.png\")\n}\n"
                           "Object \"a\" {\n\tvertex 4 {\n" + QuadVertices(-1, 1, -1, 1) +
                           "\t}\n\tface 1 {\n" + Quad(0, 0) + "\t}\n}\n";
  ASSERT_EQ(0, Init(text));
  const GLuint texture = model.materials[0].texture;
  const GLuint list = model.displayLists[0];
  EXPECT_TRUE(glIsTexture(texture));
  EXPECT_TRUE(glIsList(list));
  ASSERT_EQ(0, Init(text));  // Init on a loaded model releases the old one first
  EXPECT_EQ(1u, model.materials.size());
  EXPECT_EQ(1u, model.displayLists.size());
  model.Finalize();
  EXPECT_TRUE(model.objects.empty());
  EXPECT_TRUE(model.displayLists.empty());
  EXPECT_FALSE(glIsList(list));
  EXPECT_FALSE(glIsTexture(texture));
  model.Finalize();  // twice is harmless
}

}  // namespace
