// Tests of the MQO reader: token rules and priorities, value routing, line ends and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/mqomodel.h"
#include "support/testfiles.h"

namespace {

const char* const kHead = "Metasequoia Document\nFormat Text Ver 1.0\n\n";

// One triangle object; `faceLines` replaces its face block's lines.
std::string Triangle(const std::string& faceLines = "\t\t3 V(0 1 2) M(0) UV(0 0 1 0 0 1)\n") {
  return std::string("Object \"tri\" {\n") +
         "\tscale 2.0 3.0 4.0\n\trotation 10 20 30\n\ttranslation -1 -2 -3\n"
         "\tcolor 0.5 0.25 0.125\n\tcolor_type 1\n"
         "\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n"
         "\tface 1 {\n" + faceLines + "\t}\n}\n";
}

class MQOReaderTest : public ::testing::Test {
 protected:
  // Writes `text` as a model file and reads it; stdout of the read goes to `output`.
  int Load(const std::string& text, const std::string& name = "model.mqo") {
    path = dir.file(name);
    testsupport::WriteFile(path, text);
    testing::internal::CaptureStdout();
    const int result = model.Read(path.c_str());
    output = testing::internal::GetCapturedStdout();
    return result;
  }

  testsupport::ScratchDir dir;
  MQOModel model;
  std::string path;
  std::string output;
};

TEST_F(MQOReaderTest, MinimalFileGivesItsMaterialObjectVerticesAndFace) {
  ASSERT_EQ(0, Load(std::string(kHead) +
                    "Material 1 {\n\t\"m\" col(1.0 0.5 0.25 1.0) dif(0.8) amb(0.6) emi(0.5) "
                    "spc(0.1) power(50.0)\n}\n" + Triangle() + "Eof\n"))
      << output;
  EXPECT_EQ("", output);
  ASSERT_EQ(1u, model.materials.size());
  const _material& m = model.materials[0];
  const float dif[4] = {0.8f, 0.4f, 0.2f, 0.8f};  // col x 0.8, alpha included
  for (int i = 0; i < 4; i++) {
    EXPECT_FLOAT_EQ(dif[i], m.dif[i]);
    EXPECT_FLOAT_EQ(m.col[i] * 0.6f, m.amb[i]);
    EXPECT_FLOAT_EQ(m.col[i] * 0.5f, m.emi[i]);
    EXPECT_FLOAT_EQ(m.col[i] * 0.1f, m.spc[i]);
  }
  EXPECT_FLOAT_EQ(90.0f, m.power);
  EXPECT_STREQ("", m.tex);
  EXPECT_FALSE(m.hasTexture);

  ASSERT_EQ(1u, model.objects.size());
  const _Object& o = model.objects[0];
  EXPECT_EQ(3, o.vertexCount);
  EXPECT_EQ(1, o.faceCount);
  ASSERT_EQ(3u, o.vertices.size());
  EXPECT_FLOAT_EQ(1.0f, o.vertices[1][0]);
  EXPECT_FLOAT_EQ(1.0f, o.vertices[2][1]);
  const float scale[3] = {2, 3, 4}, rotation[3] = {10, 20, 30}, translation[3] = {-1, -2, -3};
  const float color[3] = {0.5f, 0.25f, 0.125f};
  for (int i = 0; i < 3; i++) {
    EXPECT_FLOAT_EQ(scale[i], o.scale[i]);
    EXPECT_FLOAT_EQ(rotation[i], o.rotation[i]);
    EXPECT_FLOAT_EQ(translation[i], o.translation[i]);
    EXPECT_FLOAT_EQ(color[i], o.color[i]);
  }
  EXPECT_EQ(1, o.color_type);
  ASSERT_EQ(1u, o.faces.size());
  const _facef& f = o.faces[0];
  EXPECT_EQ(3, f.n);
  EXPECT_EQ(0, f.V[0]);
  EXPECT_EQ(2, f.V[2]);
  EXPECT_EQ(0, f.M);
  EXPECT_FLOAT_EQ(1.0f, f.u[1]);
  EXPECT_FLOAT_EQ(1.0f, f.v[2]);
  EXPECT_TRUE(model.displayLists.empty());  // Read compiles nothing
}

TEST_F(MQOReaderTest, FileEndsAtEofOrAtTheEndOfInput) {
  // Without "Eof" the end of the input ends the file; after "Eof" nothing is read.
  ASSERT_EQ(0, Load(std::string(kHead) + Triangle()));
  EXPECT_EQ(1u, model.objects.size());
  ASSERT_EQ(0, Load(std::string(kHead) + Triangle() + "Eof\n" + "Format Compress\n" + Triangle()));
  EXPECT_EQ(1u, model.objects.size());
  // An empty file is an empty model.
  ASSERT_EQ(0, Load(""));
  EXPECT_TRUE(model.objects.empty());
}

TEST_F(MQOReaderTest, RejectedFormatsAndChunks) {
  EXPECT_EQ(-1, Load("Metasequoia Document\nFormat Text Ver 1.1\n" + Triangle()));
  EXPECT_EQ("LoadMQO:unsupported version\nLoadMQO:LoadError:" + path + "\n", output);
  EXPECT_TRUE(model.objects.empty());

  EXPECT_EQ(-1, Load("Metasequoia Document\nFormat Compress Ver 1.0\n"));
  EXPECT_EQ("LoadMQO:LoadError:" + path + "\n", output);

  EXPECT_EQ(-1, Load(std::string(kHead) + Triangle() + "TrialNoise {\n}\n"));
  EXPECT_EQ("LoadMQO:TrialNoise chunk\nLoadMQO:LoadError:" + path + "\n", output);
  EXPECT_EQ(1u, model.objects.size());  // what came before the error stays

  // "Ver 1x0" reads as 1 and passes; "Ver 10.0" is a word and a number: no check at all.
  EXPECT_EQ(0, Load("Format Text Ver 1x0\n" + Triangle()));
  EXPECT_EQ(0, Load("Format Text Ver 10.0\n" + Triangle()));

  // Brackets still open at the end of the input are no fault.
  EXPECT_EQ(0, Load(std::string(kHead) + "Object \"o\" {\n\tvertex 1 {\n\t\t0 0 0\n"));
  EXPECT_EQ(1u, model.objects[0].vertices.size());
}

TEST_F(MQOReaderTest, MismatchedBracketsNameThePoppedCharacter) {
  EXPECT_EQ(-1, Load("Object \"o\" {)\n}\n"));
  EXPECT_EQ("LoadMQO:cannot find \"(\" :{ \nLoadMQO:LoadError:" + path + "\n", output);
  EXPECT_EQ(-1, Load("Object \"o\" (}\n"));
  EXPECT_EQ("LoadMQO:cannot find \"{\" :( \nLoadMQO:LoadError:" + path + "\n", output);
}

TEST_F(MQOReaderTest, FaceLinesKeepWhatTheyDoNotWrite) {
  ASSERT_EQ(0, Load(std::string(kHead) +
                    Triangle("\t\t3 V(0 1 2) M(0) UV(0.1 0.2 0.3 0.4 0.5 0.6)\n"
                             "\t\t3 V(2 1 0) M(2)\n"
                             "\t\t3 V(1 2 0)\n")));
  const std::vector<_facef>& faces = model.objects[0].faces;
  ASSERT_EQ(3u, faces.size());
  EXPECT_EQ(2, faces[1].M);
  EXPECT_EQ(2, faces[2].M);  // the face record is not cleared between lines
  for (size_t i = 1; i < 3; i++) {
    EXPECT_FLOAT_EQ(0.1f, faces[i].u[0]);
    EXPECT_FLOAT_EQ(0.6f, faces[i].v[2]);
  }
  EXPECT_EQ(1, faces[2].V[0]);
}

TEST_F(MQOReaderTest, MaterialLinesCarryTheirColourFieldsOver) {
  ASSERT_EQ(0, Load("Material 3 {\n"
                    "\t\"a\" col(1 1 1 1) dif(0.5) amb(0.25) power(10) tex(\"a.png\")\n"
                    "\t\"b\" col(0 1 0 1) emi(1)\n"
                    "\t\"no numbers\"\n"
                    "}\n"));
  ASSERT_EQ(2u, model.materials.size());  // a line without numbers adds nothing
  const _material& b = model.materials[1];
  EXPECT_FLOAT_EQ(0.0f, b.col[0]);
  EXPECT_FLOAT_EQ(0.5f, b.dif[0]);   // the previous line's diffuse, not col x 0.5
  EXPECT_FLOAT_EQ(0.25f, b.amb[2]);
  EXPECT_FLOAT_EQ(18.0f, b.power);
  EXPECT_FLOAT_EQ(0.0f, b.emi[0]);
  EXPECT_FLOAT_EQ(1.0f, b.emi[1]);
  EXPECT_STREQ("a.png", model.materials[0].tex);
  EXPECT_STREQ("", b.tex);  // the texture name ends with its line
}

TEST_F(MQOReaderTest, TokenPriorities) {
  // colorx is a word: the numbers after it are dropped. So are those after "Material" without
  // its number and "Material" with two blanks. .5, +1 and 1e5 are words, which end the values of
  // the vertex block; a quoted name with a blank falls apart and is no texture name.
  ASSERT_EQ(0, Load("Material {\n\t\"x\" col(1 1 1 1)\n}\n"
                    "Material  1 {\n\t\"x\" col(1 1 1 1)\n}\n"
                    "Material 1 {\n\t\"x\" col(1 1 1 1) tex(\"my tex.png\")\n"
                    "\t\"y\" col(1 1 1 1) tex(\"a-b.c_[1]{2}~(3).png\")\n}\n"
                    "Object \"o\" {\n\tcolorx 1 2 3\n\tcolor_type 2\n"
                    "\tvertex 4 {\n\t\t1 2 3\n\t\t-4.5 5 -6\n\t\t.5 7 8\n\t\t9 9 9\n\t}\n}\n"
                    "Object \"p\" {\n\tvertex 3 {\n\t\t+1 2 3\n\t}\n}\n"
                    "Object \"q\" {\n\tvertex 3 {\n\t\t1e5 2 3\n\t}\n}\n"));
  ASSERT_EQ(2u, model.materials.size());
  EXPECT_STREQ("", model.materials[0].tex);
  EXPECT_STREQ("a-b.c_[1]{2}~(3).png", model.materials[1].tex);
  ASSERT_EQ(3u, model.objects.size());
  const _Object& o = model.objects[0];
  EXPECT_FLOAT_EQ(0.0f, o.color[0]);
  EXPECT_EQ(2, o.color_type);
  ASSERT_EQ(2u, o.vertices.size());
  EXPECT_FLOAT_EQ(-4.5f, o.vertices[1][0]);
  EXPECT_FLOAT_EQ(-6.0f, o.vertices[1][2]);
  EXPECT_TRUE(model.objects[1].vertices.empty());
  EXPECT_TRUE(model.objects[2].vertices.empty());
}

TEST_F(MQOReaderTest, AttributesAfterTheVertexListDoNotCount) {
  ASSERT_EQ(0, Load("Object \"o\" {\n\tvertex 1 {\n\t\t0 0 0\n\t}\n\tscale 5 5 5\n}\n"
                    "Object \"p\" {\n\tscale 2 2 2\n}\n"
                    "Object \"r\" {\n\tvertex 0 {\n\t}\n}\n"));
  ASSERT_EQ(2u, model.objects.size());
  EXPECT_FLOAT_EQ(1.0f, model.objects[0].scale[0]);
  EXPECT_FLOAT_EQ(1.0f, model.objects[1].scale[0]);  // each object starts at scale 1
}

TEST_F(MQOReaderTest, ReloadStartsAfreshAfterARefusal) {
  // A refused file leaves brackets open and a material half read; the next file must not
  // inherit any of it.
  ASSERT_EQ(-1, Load("Material 1 {\n\t\"m\" col(1 1 1 1 1)\n"));
  ASSERT_EQ(0, Load("Object \"o\" {\n\tvertex 1 {\n\t\t1 2 3\n\t}\n}\n"));
  EXPECT_TRUE(model.materials.empty());
  ASSERT_EQ(1u, model.objects.size());
  EXPECT_EQ(1u, model.objects[0].vertices.size());
  EXPECT_FLOAT_EQ(1.0f, model.objects[0].scale[1]);
}

TEST_F(MQOReaderTest, DirectoryIsThePathUpToTheLastSeparator) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, model.Read("no/such/file.mqo"));
  EXPECT_EQ("LoadMQO:File Open Error:no/such/file.mqo\n", testing::internal::GetCapturedStdout());

  ASSERT_EQ(0, Load(""));
  EXPECT_EQ(dir.path(), model.directory);
  // A backslash separates too (this file's name holds one); no separator gives no folder.
  testsupport::WriteFile("sub\\m.mqo", "");
  EXPECT_EQ(0, model.Read("sub\\m.mqo"));
  EXPECT_EQ("sub", model.directory);
  testsupport::WriteFile("plain.mqo", "");
  EXPECT_EQ(0, model.Read("plain.mqo"));
  EXPECT_EQ("", model.directory);
  std::remove("plain.mqo");
  std::remove("sub\\m.mqo");
}

// A file the reader refuses, and the words its message must contain.
struct Refusal {
  const char* what;
  std::string text;
  const char* message;
};

TEST_F(MQOReaderTest, RefusesWhatItCannotHoldWithOneLineNamingFileAndFault) {
  const std::string object = "Object \"o\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n";
  const std::vector<Refusal> refusals = {
      {"11 brackets", "{{{{{{{{{{(\n", "more than 10 nested brackets"},
      {"col", "Material 1 {\n\t\"m\" col(1 1 1 1 1)\n}\n", "more than 4 values in col"},
      {"color", "Object \"o\" {\n\tcolor 1 2 3 4\n}\n", "more than 3 values in color"},
      {"scale", "Object \"o\" {\n\tscale 1 2 3 4\n}\n", "more than 3 values in scale"},
      {"rotation", "Object \"o\" {\n\trotation 1 2 3 4\n}\n", "more than 3 values in rotation"},
      {"translation", "Object \"o\" {\n\ttranslation 1 2 3 4\n}\n",
       "more than 3 values in translation"},
      {"vertex", "Object \"o\" {\n\tvertex 1 {\n\t\t1 2 3 4\n\t}\n}\n",
       "more than 3 values on a vertex line"},
      {"V", object + "\tface 1 {\n\t\t4 V(0 1 2 0 1)\n\t}\n}\n",
       "more than 4 vertex indices on a face"},
      {"UV", object + "\tface 1 {\n\t\t3 V(0 1 2) UV(0 0 0 0 0 0 0 0 0 0)\n\t}\n}\n",
       "more than 4 UV pairs on a face"},
      {"texture name", "Material 1 {\n\t\"m\" col(1 1 1 1) tex(\"" + std::string(60, 'a') +
       ".png\")\n}\n", "texture name of 64 characters or more"},
      {"index beyond", object + "\tface 1 {\n\t\t3 V(0 1 3)\n\t}\n}\n",
       "face names vertex 3 of an object of 3 vertices"},
      {"negative index", object + "\tface 1 {\n\t\t3 V(0 -1 2)\n\t}\n}\n", "face names vertex -1"},
      {"five corners", object + "\tface 1 {\n\t\t5 V(0 1 2 0)\n\t}\n}\n",
       "a face of more than 4 corners"},
      {"negative corners", object + "\tface 1 {\n\t\t-3 V(0 1 2)\n\t}\n}\n",
       "negative face corner count"},
      {"vertex count", "Object \"o\" {\n\tvertex 2147483648 {\n\t}\n}\n", "vertex count out of range"},
      {"face count", object + "\tface 99999999999 {\n\t}\n}\n", "face count out of range"},
      {"face first", "Object \"o\" {\n\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n",
       "face list before any vertex list"},
      {"unopened", "Object \"o\" {\n}\n}\n", "\"}\" without an open bracket"},
      {"unopened (", ")\n", "\")\" without an open bracket"},
      {"huge number", "Object \"o\" {\n\tvertex 1 {\n\t\t" + std::string(40, '9') + " 0 0\n\t}\n}\n",
       "number out of range"},
      {"huge index", object + "\tface 1 {\n\t\t3 V(0 1 9999999999)\n\t}\n}\n",
       "number out of range for a whole number"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(-1, Load(r.text));
    // The refusal line names file and line, then Init's own LoadError line follows.
    EXPECT_NE(std::string::npos, output.find("LoadMQO:" + path + ":")) << output;
    EXPECT_NE(std::string::npos, output.find(r.message)) << output;
    EXPECT_NE(std::string::npos, output.find("\nLoadMQO:LoadError:" + path + "\n")) << output;
    EXPECT_EQ(2, std::count(output.begin(), output.end(), '\n')) << output;
  }
  // Just inside the limits: 10 brackets, 63-character texture name, a 4-corner face.
  EXPECT_EQ(0, Load("{{{{{{{{{(\n)}}}}}}}}}\n"));
  EXPECT_EQ(0, Load("Material 1 {\n\t\"m\" col(1 1 1 1) tex(\"" + std::string(59, 'a') +
                    ".png\")\n}\n"));
  EXPECT_EQ(63u, std::string(model.materials[0].tex).size());
  EXPECT_EQ(0, Load(object + "\tface 1 {\n\t\t4 V(0 1 2 0) UV(0 0 0 0 0 0 0 0)\n\t}\n}\n"));
}

TEST_F(MQOReaderTest, RefusalNamesTheLineItWasFoundOn) {
  EXPECT_EQ(-1, Load("Metasequoia Document\n\n\nMaterial 1 {\n\t\"m\" col(1 1 1 1 1)\n}\n"));
  EXPECT_NE(std::string::npos, output.find("LoadMQO:" + path + ":5: more than 4 values in col"))
      << output;
}

}  // namespace
