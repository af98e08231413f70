// Tests of the MQO reader: token rules and priorities, value routing, line ends and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "assets/mqomodel.h"
#include "support/testfiles.h"

namespace {

const char* const kHead = "Metasequoia Document\nFormat Text Ver 1.0\n\n";
const std::string kObject =
    "Object \"o\" {\n\tscale 2 3 4\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n";

// Object "o" with `faceLines` as its face block.
std::string WithFaces(const std::string& faceLines) {
  return kObject + "\tface 1 {\n" + faceLines + "\t}\n}\n";
}

class MQOReaderTest : public ::testing::Test {
 protected:
  // Writes `text` as a model file and reads it; stdout of the read goes to `output`.
  int Load(const std::string& text) {
    path = dir.file("model.mqo");
    testsupport::WriteFile(path, text);
    testing::internal::CaptureStdout();
    const int result = model.Read(path.c_str());
    output = testing::internal::GetCapturedStdout();
    return result;
  }

  // What the priority table compares: texture names, each object's colour and vertex x.
  std::string Summary() const {
    std::ostringstream s;
    for (const _material& m : model.materials) s << "tex '" << m.tex << "' ";
    for (const _Object& o : model.objects) {
      s << "color " << o.color[0] << " vertices";
      for (const auto& v : o.vertices) s << " " << v[0];
    }
    return s.str();
  }

  testsupport::ScratchDir dir;
  MQOModel model;
  std::string path;
  std::string output;
};

TEST_F(MQOReaderTest, MinimalFileGivesItsMaterialObjectVerticesAndFace) {
  ASSERT_EQ(0, Load(std::string(kHead) +
                    "Material 1 {\n\t\"m\" col(1.0 0.5 0.25 1.0) dif(0.8) amb(0.6) emi(0.5) "
                    "spc(0.1) power(50.0)\n}\n" +
                    WithFaces("\t\t3 V(0 1 2) M(0) UV(0 0 1 0 0 1)\n") + "Eof\n"))
      << output;
  EXPECT_EQ("", output);
  ASSERT_EQ("tex '' color 0 vertices 0 1 0", Summary());  // one material, one object
  EXPECT_FLOAT_EQ(0.4f, model.materials[0].dif[1]);  // col x diffuse
  const _Object& o = model.objects[0];
  EXPECT_FLOAT_EQ(3.0f, o.scale[1]);
  ASSERT_EQ(1u, o.faces.size());
  EXPECT_EQ(2, o.faces[0].V[2]);
  EXPECT_FLOAT_EQ(1.0f, o.faces[0].v[2]);
}

TEST_F(MQOReaderTest, MaterialLineWithoutAFieldRepeatsThePreviousLinesValue) {
  ASSERT_EQ(0, Load("Material 2 {\n\t\"a\" col(1 1 1 1) dif(0.5) emi(0.25)\n"
                    "\t\"b\" col(0 1 0 1)\n}\n"))
      << output;
  ASSERT_EQ(2u, model.materials.size());
  // Fields are scaled by the colour when read; an omitted one keeps the previous line's result.
  EXPECT_FLOAT_EQ(0.0f, model.materials[1].col[0]);
  EXPECT_FLOAT_EQ(0.5f, model.materials[1].dif[0]);
  EXPECT_FLOAT_EQ(0.25f, model.materials[1].emi[2]);
}

TEST_F(MQOReaderTest, FaceLinesEofVersionAndBrackets) {
  const std::string object = WithFaces("\t\t3 V(0 1 2) M(0) UV(0.1 0.2 0.3 0.4 0.5 0.6)\n"
                                       "\t\t3 V(2 1 0) M(2)\n");
  ASSERT_EQ(0, Load(kHead + object));  // no Eof: the end of the input ends the file
  const auto& faces = model.objects[0].faces;
  ASSERT_EQ(2u, faces.size());
  EXPECT_EQ(2, faces[1].M);  // a material index beyond the list is kept for the drawing
  EXPECT_EQ(2, faces[1].V[0]);
  EXPECT_FLOAT_EQ(0.1f, faces[1].u[0]);  // a face line without UV keeps the previous ones
  EXPECT_FLOAT_EQ(0.6f, faces[1].v[2]);
  ASSERT_EQ(0, Load(kHead + object + "Eof\nFormat Compress\n" + object));  // nothing after Eof
  EXPECT_EQ(1u, model.objects.size());
  EXPECT_EQ(-1, Load("Metasequoia Document\nFormat Text Ver 1.1\n" + kObject));
  EXPECT_EQ("LoadMQO:unsupported version\nLoadMQO:LoadError:" + path + "\n", output);
  EXPECT_EQ(-1, Load("Metasequoia Document\nFormat Compress Ver 1.0\n"));
  EXPECT_EQ("LoadMQO:LoadError:" + path + "\n", output);
  EXPECT_EQ(-1, Load(kHead + kObject + "}\nTrialNoise {\n}\n"));
  EXPECT_EQ("LoadMQO:TrialNoise chunk\nLoadMQO:LoadError:" + path + "\n", output);
  EXPECT_EQ(-1, Load("Object \"o\" {)\n}\n"));  // a stray ")" after "{"
  EXPECT_EQ("LoadMQO:cannot find \"(\" :{ \nLoadMQO:LoadError:" + path + "\n", output);
  testing::internal::CaptureStdout();
  EXPECT_EQ(-1, model.Read("no/such/file.mqo"));
  EXPECT_EQ("LoadMQO:File Open Error:no/such/file.mqo\n", testing::internal::GetCapturedStdout());
}

TEST_F(MQOReaderTest, TokenPriorities) {
  const std::string vertexLine = "Object \"o\" {\n\tvertex 1 {\n\t\t";
  const struct {
    std::string text;
    const char* summary;
  } rows[] = {
      {"Object \"o\" {\n\tcolorx 1 2 3\n\tvertex 1 {\n\t\t1 2 3\n\t}\n}\n", "color 0 vertices 1"},
      {"Object \"o\" {\n\tcolor 0.5 2 3\n\tvertex 1 {\n\t\t1 2 3\n\t}\n}\n", "color 0.5 vertices 1"},
      {"Material {\n\t\"x\" col(1 1 1 1)\n}\n", ""},    // no number
      {"Material  1 {\n\t\"x\" col(1 1 1 1)\n}\n", ""},  // two blanks
      {"Material 1 {\n\t\"x\" col(1 1 1 1) tex(\"my tex.png\")\n}\n", "tex '' "},  // falls apart
      {"Material 1 {\n\t\"y\" col(1 1 1 1) tex(\"a-b.c_[1]{2}~(3).png\")\n}\n",
       "tex 'a-b.c_[1]{2}~(3).png' "},
      {vertexLine + "-4.5 5 -6\n\t}\n}\n", "color 0 vertices -4.5"},
      {vertexLine + ".5 7 8\n\t}\n}\n", "color 0 vertices"},
      {vertexLine + "+1 2 3\n\t}\n}\n", "color 0 vertices"},
      {vertexLine + "1e5 2 3\n\t}\n}\n", "color 0 vertices"},
      // "Ver 1x0" reads as 1 and passes; "Ver 10.0" is a word and a number: no check at all.
      {"Format Text Ver 1x0\n", ""},
      {"Format Text Ver 10.0\n", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    ASSERT_EQ(0, Load(row.text)) << output;
    EXPECT_EQ(row.summary, Summary());
  }
}

TEST_F(MQOReaderTest, RefusesWhatItCannotHoldWithOneLineNamingFileAndFault) {
  const std::string col = "Material 1 {\n\t\"m\" col(1 1 1 1 1)\n}\n";
  const struct {
    std::string text;
    const char* message;
  } refusals[] = {
      {"{{{{{{{{{{(\n", "more than 10 nested brackets"},
      {"\n\n\n" + col, ":5: more than 4 values in col"},  // the line it was found on
      {"Object \"o\" {\n\tcolor 1 2 3 4\n}\n", "more than 3 values in color"},
      {"Object \"o\" {\n\tscale 1 2 3 4\n}\n", "more than 3 values in scale"},
      {"Object \"o\" {\n\trotation 1 2 3 4\n}\n", "more than 3 values in rotation"},
      {"Object \"o\" {\n\ttranslation 1 2 3 4\n}\n", "more than 3 values in translation"},
      {"Object \"o\" {\n\tvertex 1 {\n\t\t1 2 3 4\n\t}\n}\n", "more than 3 values on a vertex line"},
      {WithFaces("\t\t4 V(0 1 2 0 1)\n"), "more than 4 vertex indices on a face"},
      {WithFaces("\t\t3 V(0 1 2) UV(0 0 0 0 0 0 0 0 0 0)\n"), "more than 4 UV pairs on a face"},
      {"Material 1 {\n\t\"m\" col(1 1 1 1) tex(\"" + std::string(60, 'a') + ".png\")\n}\n",
       "texture name of 64 characters or more"},
      {WithFaces("\t\t3 V(0 1 3)\n"), "face names vertex 3 of an object of 3 vertices"},
      {WithFaces("\t\t3 V(0 -1 2)\n"), "face names vertex -1"},
      {WithFaces("\t\t5 V(0 1 2 0)\n"), "a face of more than 4 corners"},
      {WithFaces("\t\t-3 V(0 1 2)\n"), "negative face corner count"},
      {"Object \"o\" {\n\tvertex 2147483648 {\n\t}\n}\n", "vertex count out of range"},
      {kObject + "\tface 99999999999 {\n\t}\n}\n", "face count out of range"},
      {"Object \"o\" {\n\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n", "face list before any vertex list"},
      {"Object \"o\" {\n}\n}\n", "\"}\" without an open bracket"},
      {")\n", "\")\" without an open bracket"},
      {"Object \"o\" {\n\tvertex 1 {\n\t\t" + std::string(40, '9') + " 0 0\n\t}\n}\n",
       "number out of range"},
      {WithFaces("\t\t3 V(0 1 9999999999)\n"), "number out of range for a whole number"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.message);
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
  EXPECT_EQ(0, Load(WithFaces("\t\t4 V(0 1 2 0) UV(0 0 0 0 0 0 0 0)\n")));

  // A refused file leaves brackets open and a material half read; the next file must not
  // inherit any of it, and each object starts at scale 1.
  ASSERT_EQ(-1, Load("Material 1 {\n\t\"m\" col(1 1 1 1 1)\n"));
  ASSERT_EQ(0, Load("Object \"o\" {\n\tvertex 1 {\n\t\t1 2 3\n\t}\n\tscale 5 5 5\n}\n"));
  EXPECT_EQ("color 0 vertices 1", Summary());
  EXPECT_FLOAT_EQ(1.0f, model.objects[0].scale[1]);  // attributes after the vertices are dropped
}

}  // namespace
