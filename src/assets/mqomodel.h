// A polygon model read from an MQO file: materials with textures, objects with vertices and
// faces, and one OpenGL display list per object.
#pragma once

#include <array>
#include <string>
#include <vector>

// One material line of the file. Colours are r, g, b, a.
struct _material {
  float col[4];
  float dif[4];      // col x the line's diffuse factor
  float amb[4];      // col x the line's ambient factor
  float emi[4];      // col x the line's emission factor
  float spc[4];      // col x the line's specular factor
  float power;       // shininess: the file's power x 180 / 100
  unsigned int texture;  // OpenGL texture name, 0 when none
  bool hasTexture;       // a texture was created
  char tex[64];          // texture file relative to the model's folder; empty for none
};

// One face line: n corners (3 or 4 are drawn), vertex indices, material index, texture
// coordinates per corner.
struct _facef {
  int n;
  int V[4];
  int M;
  float u[4];
  float v[4];
};

// One object chunk with its placement (rotation in degrees about x, y, z).
struct _Object {
  float color[3];   // kept, not drawn
  int color_type;   // kept, not drawn
  float translation[3];
  float rotation[3];
  float scale[3];
  int vertexCount;  // the count written after "vertex "
  std::vector<std::array<float, 3>> vertices;
  int faceCount;    // the count written after "face "
  std::vector<_facef> faces;
};

class MQOModel {
 public:
  MQOModel() = default;
  MQOModel(const MQOModel&) = delete;
  MQOModel& operator=(const MQOModel&) = delete;

  // Reads the file (textures relative to the file's folder) and compiles the display lists.
  // Needs the OpenGL context. Returns 0, or -1 after one-line messages on standard output; the
  // model then keeps what was read before the error (Finalize releases it).
  int Init(const char* path);

  // Reads the file into the records only: no textures, no display lists, no OpenGL call.
  // Returns 0 or -1 like Init. Used by tools and tests that need no context.
  int Read(const char* path);

  // Called by the reader while it runs (the vertex and face calls after at least one AddObject).
  void AddMaterial(const _material* m);  // appends a copy, loading its texture when wanted
  void AddObject(const _Object* o);      // appends an object with o's colour and placement
  void SetVertex(int n);
  void AddVertex(const float* p);
  void SetFace(int n);
  void AddFace(const _facef* f);

  // Compiles one list per object and measures `extent`. Returns 0, or -1 after a message
  // (a material whose texture did not load, no display list available).
  int SetDisplayList();

  // Draws every object scaled by 1 / extent (largest coordinate at 1 unit). A model without
  // any drawn vertex (extent 0) draws nothing. Returns 0.
  int Draw();

  // Draws object i the same way. Returns 0, or -1 with "Invalid model No." and i when there is
  // no such object.
  int DrawObj(unsigned int i);

  // Whether drawing the model can make a fragment the game's alpha test (alpha over 0.005)
  // removes: a textured material, or a lit alpha (the diffuse alpha) of 0.005 or less. A model
  // without them is drawn with the test off, and the renderer then tests depth before shading.
  bool HasCutouts() const;
  // Releases records, display lists and the material textures. Safe on an empty model.
  void Finalize();

  std::vector<_material> materials;
  std::vector<_Object> objects;
  std::vector<unsigned int> displayLists;
  float extent = 0.0f;    // largest absolute vertex coordinate drawn, after SetDisplayList
  std::string directory;  // folder part of the path given to Init, no separator; empty: none

 private:
  int Load(const char* path, bool withTextures);
  void LoadTexture(_material* m);
  // Notes the model's first draw (the renderer may finish setting up its textures then).
  void NoteFirstDraw();

  bool loadTextures_ = false;
  bool drawn_ = false;  // drawn at least once
};
