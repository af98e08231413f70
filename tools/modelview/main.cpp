// modelview: loads an MQO model as the game does and renders it from three angles with the
// game's lighting into one PNG, for reviewing models.
//   modelview MODEL.mqo [--out FILE.png]
// Exit status: 0 written, 1 the model (or the window, or the picture) failed, 2 bad usage.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "assets/mqomodel.h"
#include "assets/screenshot.h"

namespace {

// One square view per angle, side by side.
const int _ViewSize = 320;
const int _ViewCount = 3;

// Distance of the model (unit size after MQOModel::Draw) from the eye.
const float _ViewDistance = 3.0f;

// The angles shown, in degrees: heading about y, then tilt about x (positive looks from above).
struct ViewAngle {
  float yaw;
  float pitch;
};
const ViewAngle _Views[_ViewCount] = {
    {0.0f, 0.0f},     // as the model is written
    {90.0f, 0.0f},    // turned a quarter to the left
    {-135.0f, 25.0f}, // from behind, three-quarter view from above
};

// Background: dark grey, so that black parts of a model stay visible.
const float _Background[4] = {0.22f, 0.22f, 0.25f, 1.0f};

void Usage() { fprintf(stderr, "usage: modelview MODEL.mqo [--out FILE.png]\n"); }

// The game's light: GL_LIGHT1 just in front of the eye (given with the identity model-view).
void Lighting() {
  const float ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  const float diffuse[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  const float specular[4] = {0.6f, 0.6f, 0.6f, 1.0f};
  const float position[4] = {0.0f, 0.0f, -0.05f, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
  glLightfv(GL_LIGHT1, GL_POSITION, position);
  glEnable(GL_LIGHT1);
}

// The render state the game draws its enemies with.
void GameState() {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.005f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_NORMALIZE);
}

void Render(MQOModel* model) {
  glClearColor(_Background[0], _Background[1], _Background[2], _Background[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GameState();
  for (int i = 0; i < _ViewCount; i++) {
    glViewport(i * _ViewSize, 0, _ViewSize, _ViewSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.1, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Lighting();
    gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);
    glTranslatef(0.0f, 0.0f, -_ViewDistance);
    glRotatef(_Views[i].pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(_Views[i].yaw, 0.0f, 1.0f, 0.0f);
    model->Draw();
  }
  glFinish();
}

}  // namespace

int main(int argc, char** argv) {
  const char* modelPath = nullptr;
  std::string out = "modelview.png";
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (argv[i][0] != '-' && modelPath == nullptr) {
      modelPath = argv[i];
    } else {
      Usage();
      return 2;
    }
  }
  if (modelPath == nullptr) {
    Usage();
    return 2;
  }

  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    fprintf(stderr, "modelview: SDL init error: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_SetVideoMode(_ViewSize * _ViewCount, _ViewSize, 0, SDL_OPENGL) == nullptr) {
    fprintf(stderr, "modelview: cannot open the window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_WM_SetCaption("modelview", nullptr);

  MQOModel model;
  int status = 0;
  if (model.Init(modelPath) != 0) {
    printf("modelview: %s does not load\n", modelPath);
    status = 1;
  } else {
    Render(&model);
    if (QUORL_COMMON::SaveFrameBuffer(out.c_str(), _ViewSize * _ViewCount, _ViewSize) != 0) {
      printf("modelview: cannot write %s\n", out.c_str());
      status = 1;
    } else {
      printf("modelview: %s: %zu materials, %zu objects, extent %g -> %s\n", modelPath,
             model.materials.size(), model.objects.size(), static_cast<double>(model.extent),
             out.c_str());
    }
    SDL_GL_SwapBuffers();
  }
  model.Finalize();
  fflush(stdout);
  SDL_Quit();
  return status;
}
