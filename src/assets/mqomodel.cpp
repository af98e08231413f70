// MQO models: reading through the scanner, material textures, display lists and drawing.
#include "assets/mqomodel.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "assets/loadpng.h"
#include "assets/mqoreader.h"
#include "common/framemarks.h"

namespace {

// Bytes per pixel of every picture LoadPNG returns.
const unsigned int _TexelBytes = 4;
// No face drawn yet in this list: the first face always sets its material.
const int kNoMaterialSet = -2;

// The folder part of a model path: what comes before its last "/" or "\"; "/" for a model at the
// root; empty for a bare file name.
std::string DirectoryOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return std::string();
  return path.substr(0, cut == 0 ? 1 : cut);
}

// Where a material's texture is read: beside the model; the name alone (the working folder) for a
// model given as a bare file name, never the root of the file system.
std::string TexturePath(const std::string& directory, const std::string& tex) {
  if (directory.empty()) return tex;
  if (directory == "/" || directory == "\\") return directory + tex;
  return directory + "/" + tex;
}

// Unit normal of the plane through three points, (0, 0, 1) when they do not span one.
void FaceNormal(const std::array<float, 3>& p0, const std::array<float, 3>& p1,
                const std::array<float, 3>& p2, float* n) {
  const double a[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  const double b[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  const double c[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                       a[0] * b[1] - a[1] * b[0]};
  const double length = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  if (!(length > 0.0) || !std::isfinite(length)) {
    n[0] = 0.0f;
    n[1] = 0.0f;
    n[2] = 1.0f;
    return;
  }
  for (int i = 0; i < 3; i++) n[i] = static_cast<float>(c[i] / length);
}

// Whether every corner of the face names a vertex of `object` (the reader guarantees it for
// files; records added by hand are checked here too).
bool CornersValid(const _Object& object, const _facef& face, int corners) {
  for (int k = 0; k < corners; k++) {
    if (face.V[k] < 0 || static_cast<size_t>(face.V[k]) >= object.vertices.size()) return false;
  }
  return true;
}

}  // namespace

int MQOModel::Init(const char* path) { return Load(path, true); }

int MQOModel::Read(const char* path) { return Load(path, false); }

int MQOModel::Load(const char* path, bool withTextures) {
  if (!materials.empty() || !objects.empty()) Finalize();
  FILE* file = fopen(path, "r");
  if (file == nullptr) {
    printf("LoadMQO:File Open Error:%s\n", path);
    return -1;
  }
  directory = DirectoryOf(path);
  loadTextures_ = withTextures;
  const int result = LoadMQO(this, file, path);
  fclose(file);
  loadTextures_ = false;
  if (result != 0) {
    printf("LoadMQO:LoadError:%s\n", path);
    return -1;
  }
  if (!withTextures) return 0;
  return SetDisplayList();
}

void MQOModel::AddMaterial(const _material* m) {
  _material copy = *m;
  copy.texture = 0;
  copy.hasTexture = false;
  if (loadTextures_ && copy.tex[0] != '\0') LoadTexture(&copy);
  materials.push_back(copy);
}

void MQOModel::LoadTexture(_material* m) {
  const std::string path = TexturePath(directory, m->tex);
  unsigned char* pixels = nullptr;
  unsigned int width = 0;
  unsigned int height = 0;
  unsigned int pitch = 0;
  if (LoadPNG(path.c_str(), &pixels, &width, &height, &pitch) != 0) return;
  if (pitch == width * _TexelBytes) {
    glGenTextures(1, &m->texture);
    glBindTexture(GL_TEXTURE_2D, m->texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, static_cast<GLint>(width),
                      static_cast<GLint>(height), GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    m->hasTexture = true;
  }
  delete[] pixels;
}

void MQOModel::AddObject(const _Object* o) {
  _Object object;
  for (int i = 0; i < 3; i++) {
    object.color[i] = o->color[i];
    object.translation[i] = o->translation[i];
    object.rotation[i] = o->rotation[i];
    object.scale[i] = o->scale[i];
  }
  object.color_type = o->color_type;
  object.vertexCount = 0;
  object.faceCount = 0;
  objects.push_back(std::move(object));
}

void MQOModel::SetVertex(int n) {
  if (!objects.empty()) objects.back().vertexCount = n;
}

void MQOModel::AddVertex(const float* p) {
  if (!objects.empty()) objects.back().vertices.push_back({p[0], p[1], p[2]});
}

void MQOModel::SetFace(int n) {
  if (!objects.empty()) objects.back().faceCount = n;
}

void MQOModel::AddFace(const _facef* f) {
  if (!objects.empty()) objects.back().faces.push_back(*f);
}

int MQOModel::SetDisplayList() {
  for (const _material& m : materials) {
    if (m.tex[0] != '\0' && !m.hasTexture) {
      printf("MQOModel:Texture Error:%s\n", m.tex);
      return -1;
    }
  }
  extent = 0.0f;
  for (const _Object& object : objects) {
    const GLuint list = glGenLists(1);
    if (list == 0) {
      printf("MQOModel:create DisplayList error\n");
      return -1;
    }
    QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_LIST);
    glNewList(list, GL_COMPILE);
    glTranslatef(object.translation[0], object.translation[1], object.translation[2]);
    glScalef(object.scale[0], object.scale[1], object.scale[2]);
    glRotatef(object.rotation[0], 1.0f, 0.0f, 0.0f);
    glRotatef(object.rotation[1], 0.0f, 1.0f, 0.0f);
    glRotatef(object.rotation[2], 0.0f, 0.0f, 1.0f);
    // The material and texture are set only where they differ from the face before: each
    // change ends the renderer's batch of faces, and most neighbouring faces share a material.
    int materialSet = kNoMaterialSet;
    for (const _facef& face : object.faces) {
      const int material = static_cast<unsigned int>(face.M) < materials.size() ? face.M : -1;
      if (material == materialSet) {
        // The same state as the face before: nothing to set.
      } else if (material >= 0) {
        const _material& m = materials[static_cast<size_t>(material)];
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.dif);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.spc);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.amb);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m.emi);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.power);
        glBindTexture(GL_TEXTURE_2D, m.hasTexture ? m.texture : 0);
      } else {
        glBindTexture(GL_TEXTURE_2D, 0);
      }
      materialSet = material;
      const int corners = face.n < 0 ? 0 : (face.n > 4 ? 4 : face.n);
      if (!CornersValid(object, face, corners)) continue;
      // Faces of other than 3 or 4 corners draw nothing; their vertices still count in extent.
      const bool drawn = corners == 3 || corners == 4;
      float normal[3] = {0.0f, 0.0f, 1.0f};
      if (drawn) {
        glBegin(corners == 3 ? GL_TRIANGLES : GL_QUADS);
        FaceNormal(object.vertices[face.V[0]], object.vertices[face.V[1]],
                   object.vertices[face.V[2]], normal);
      }
      for (int k = 0; k < corners; k++) {
        const std::array<float, 3>& p = object.vertices[face.V[k]];
        if (drawn) {
          glTexCoord2f(face.u[k], face.v[k]);
          glNormal3f(normal[0], normal[1], normal[2]);
          glVertex3f(p[0], p[1], p[2]);
        }
        for (int axis = 0; axis < 3; axis++) extent = std::fmax(extent, std::fabs(p[axis]));
      }
      if (drawn) glEnd();
    }
    glEndList();
    displayLists.push_back(list);
  }
  return 0;
}

int MQOModel::Draw() {
  if (!(extent > 0.0f)) return 0;
  NoteFirstDraw();
  const float s = 1.0f / extent;
  for (const GLuint list : displayLists) {
    glPushMatrix();
    glScalef(s, s, s);
    glCallList(list);
    glPopMatrix();
  }
  return 0;
}

int MQOModel::DrawObj(unsigned int i) {
  if (i >= displayLists.size()) {
    printf("Invalid model No.%u\n", i);
    return -1;
  }
  if (!(extent > 0.0f)) return 0;
  NoteFirstDraw();
  const float s = 1.0f / extent;
  glPushMatrix();
  glScalef(s, s, s);
  glCallList(displayLists[i]);
  glPopMatrix();
  return 0;
}

bool MQOModel::HasCutouts() const {
  for (const _material& m : materials) {
    if (m.hasTexture || !(m.dif[3] > 0.005f)) return true;
  }
  return false;
}

void MQOModel::NoteFirstDraw() {
  if (drawn_) return;
  drawn_ = true;
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_MODEL);
}

void MQOModel::Finalize() {
  for (_material& m : materials) {
    if (m.hasTexture) glDeleteTextures(1, &m.texture);
  }
  for (const GLuint list : displayLists) glDeleteLists(list, 1);
  materials.clear();
  objects.clear();
  displayLists.clear();
}
