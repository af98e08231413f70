// What the floor alone costs the renderer: floor 1 seen from each of its floor cells in turn,
// each in another direction (350 frames of clear, floor, swap, finish), in the game's drawing
// state and in variants that change one thing each (texturing, filtering, lighting). Prints the median and 99th percentile in
// milliseconds per variant and the fragments a frame; only the first variant gives the game's
// pictures, the others show what each part of the pixel work costs. Needs a display.
#define GL_GLEXT_PROTOTYPES  // the occlusion queries of OpenGL 1.5, which Mesa's library exports
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "common/random.h"
#include "dungeon/dungeonfloor.h"
#include "game/gamemain.h"
#include "support/glwindow.h"

namespace {

const int kFrames = 350;

// The game scene set up by its own Init, drawing nothing but the floor the way its Draw does.
class FloorView {
 public:
  GameMain game;
  // The texture names of the walls (and ceiling) and of the floor, as SetMaterial binds them.
  std::vector<GLuint> FloorTextures() {
    std::vector<GLuint> names;
    for (int kind : {1, 2}) {
      game.Floor()->SetMaterial(kind);
      GLint name = 0;
      glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
      names.push_back(static_cast<GLuint>(name));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return names;
  }
  // The views: every floor cell of the map in turn, each looked at in another direction.
  void ChooseViews() {
    int rows = 0, cols = 0;
    game.Floor()->MapSize(&rows, &cols);
    for (int cell = 0; cell < rows * cols; ++cell) {
      if (!game.Floor()->isFloor(cell / cols, cell % cols)) continue;
      const int at[3] = {cell / cols, 0, cell % cols};
      std::array<float, 3> p{};
      game.Floor()->getMaptoWorld(at, p.data());
      p[1] = game.Motion().pos[1];
      views.push_back(p);
    }
    if (views.empty()) views.push_back({game.Motion().pos[0], game.Motion().pos[1], game.Motion().pos[2]});
  }
  // Frame `frame`: its view, the cells visible from there, the floor.
  void DrawFloor(int frame, bool drawFloor) {
    const std::array<float, 3>& at = views[static_cast<size_t>(frame) % views.size()];
    const float turned = 137.5f * static_cast<float>(frame);
    game.Floor()->SetDrawArea(at.data(), turned);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!drawFloor) return;
    glPushMatrix();
    glEnable(GL_DEPTH_TEST);
    glRotatef(game.Motion().pitch, 1, 0, 0);
    glRotatef(turned, 0, 1, 0);
    glTranslatef(-at[0], -(at[1] + gamemain_const::EYE_HEIGHT), -at[2]);
    glDisable(GL_ALPHA_TEST);
    game.Floor()->DrawMap();
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
  }

 private:
  std::vector<std::array<float, 3>> views;
};

struct Variant {
  const char* name;
  bool drawFloor;
  bool textured;
  bool lit;
  GLint minFilter;  // of the floor and wall pictures
  GLint magFilter;
};

const Variant kVariants[] = {
    {"clear and swap only", false, true, true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {"the game's floor: trilinear, lit", true, true, true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {"lit, untextured", true, false, true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {"trilinear, unlit", true, true, false, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {"nearest mipmap, bilinear, lit", true, true, true, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR},
    {"nearest texel, lit", true, true, true, GL_NEAREST, GL_NEAREST},
};

void Print(const char* name, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  printf("  %-34s median %6.2f ms   99%% %6.2f ms\n", name, ms[ms.size() / 2],
         ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]);
}

// Fragments a frame over the same views: those that pass the depth test (each is textured and lit once),
// and all that the floor's surfaces cover (the depth test sends the rest away before texturing).
void CountFragments(FloorView* view) {
  GLuint query = 0;
  glGenQueries(1, &query);
  double passed = 0, covered = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    for (int pass = 0; pass < 2; ++pass) {
      // The second pass draws every fragment the surfaces cover, changing no pixel.
      if (pass == 1) glDepthFunc(GL_ALWAYS), glDepthMask(GL_FALSE), glColorMask(0, 0, 0, 0);
      glBeginQuery(GL_SAMPLES_PASSED, query);
      view->DrawFloor(frame, true);
      glEndQuery(GL_SAMPLES_PASSED);
      glDepthFunc(GL_LESS), glDepthMask(GL_TRUE), glColorMask(1, 1, 1, 1);
      GLuint count = 0;
      glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
      (pass == 0 ? passed : covered) += count;
    }
  }
  glDeleteQueries(1, &query);
  printf("  fragments a frame: %.0f pass the depth test, %.0f covered, of %d pixels\n",
         passed / kFrames, covered / kFrames, 800 * 600);
}

}  // namespace

int main() {
  if (!testsupport::EnterContentWithWindow("floor fill")) return 0;
  QUORL_COMMON::SetFixedSeed(1);
  FloorView view;
  if (view.game.Init(800, 600, 1, false, 0, 0) != 0) return 0;
  const std::vector<GLuint> textures = view.FloorTextures();
  view.ChooseViews();
  printf("floor 1 from each floor cell in turn, 800 x 600, %d frames (clear, floor, swap, finish):\n",
         kFrames);
  for (const Variant& variant : kVariants) {
    for (GLuint texture : textures) {
      glBindTexture(GL_TEXTURE_2D, texture);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, variant.minFilter);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, variant.magFilter);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    (variant.textured ? glEnable : glDisable)(GL_TEXTURE_2D);
    (variant.lit ? glEnable : glDisable)(GL_LIGHTING);
    std::vector<double> ms;
    for (int frame = 0; frame < kFrames; ++frame) {
      const auto start = std::chrono::steady_clock::now();
      view.DrawFloor(frame, variant.drawFloor);
      SDL_GL_SwapBuffers();
      glFinish();
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    Print(variant.name, ms);
  }
  // Back to the game's state for the count.
  for (GLuint texture : textures) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  CountFragments(&view);
  view.game.Finalize();
  return 0;
}
