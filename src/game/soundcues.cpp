// The visible sounds: what is heard each frame, aimed at the screen's edges, and the captions.
#include "game/soundcues.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/loadpng.h"
#include "bullet/bullet.h"
#include "common/canvastexture.h"
#include "enemy/enemy.h"

namespace {

const int GLOW_MAX_ALPHA = 230;  // opacity of a glow at full loudness
const int GLOW_RISE = 40;        // opacity a glow gains a frame (in over about 6 frames)
const int GLOW_FALL = 20;        // and loses (out over about 12), so it never flashes
const int GLOW_HOLD = 8;         // frames a glow keeps its strength after its sound stops
const int CAPTION_FRAMES = 60;   // frames a caption stays, its fades included
const int CAPTION_FADE_IN = 5, CAPTION_FADE_OUT = 12;
const int CAPTION_LIFT = 64;     // pixels between the caption's bottom and the screen's
const float FRAMES_A_SECOND = 59;
const float SIGHT_MARGIN = 0.8f;  // world units around the view in which a source counts as seen
const float SHOT_NEAR = 1.0f;     // world units: a shot this close to the eye is striking, not coming
const float GLOW_SCALE = 1.5f;   // the glow picture drawn this much larger than its pixels

// The effects with a caption: the alias that marks the event and the caption's file stem.
struct Captioned {
  const char* alias;
  const char* stem;
};
const Captioned kCaptioned[] = {
    {"reload2", "reloaded"},     {"empty", "out-of-rounds"},     {"door-open", "door-opens"},
    {"door-locked", "door-locked"}, {"door-unlock", "door-unlocked"}, {"eat1", "meat"},
    {"eat2", "meat"},            {"sp-bullet-get", "special-rounds"}};
const char* const kCaptionStems[] = {"reloaded", "out-of-rounds", "door-opens", "door-locked",
                                     "door-unlocked", "meat", "special-rounds"};
const char* const kSpeciesWords[4] = {"boosy", "doosy", "poosy", "zoosy"};

// A sound file's length in frames, or `fallback` when it cannot be read.
int SoundFrames(const std::string& path, int fallback) {
  SDL_AudioSpec wav;
  Uint8* samples = nullptr;
  Uint32 bytes = 0;
  if (SDL_LoadWAV(path.c_str(), &wav, &samples, &bytes) == nullptr) return fallback;
  const int frameBytes = wav.channels * ((wav.format & 0xFF) / 8);
  SDL_FreeWAV(samples);
  if (frameBytes <= 0 || wav.freq <= 0) return fallback;
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(bytes) / frameBytes / wav.freq *
                                                  FRAMES_A_SECOND)));
}

// A quad of screen pixels (x0, y0)-(x1, y1) with the texture coordinates of its four corners:
// top left, top right, bottom right, bottom left.
void Quad(float x0, float y0, float x1, float y1, const float (&st)[4][2]) {
  glBegin(GL_QUADS);
  glTexCoord2f(st[0][0], st[0][1]);
  glVertex2f(x0, y0);
  glTexCoord2f(st[1][0], st[1][1]);
  glVertex2f(x1, y0);
  glTexCoord2f(st[2][0], st[2][1]);
  glVertex2f(x1, y1);
  glTexCoord2f(st[3][0], st[3][1]);
  glVertex2f(x0, y1);
  glEnd();
}

}  // namespace

int SoundCues::Init(bool enabled, int screenWidth, int screenHeight, float fov) {
  Finalize();
  on = enabled;
  if (!on) return 0;
  width = screenWidth;
  height = screenHeight;
  fieldOfView = fov;
  for (int s = 0; s < 4; ++s) {
    attackFrames[s] = SoundFrames(std::string("SE/enemy/") + kSpeciesWords[s] + "-attack.wav", 30);
  }
  if (LoadTexture("edge-glow", true, &glow) == -1) return -1;
  for (const char* stem : kCaptionStems) {
    captions.emplace_back();
    if (LoadTexture(stem, false, &captions.back()) == -1) return -1;
  }
  return 0;
}

int SoundCues::LoadTexture(const std::string& stem, bool smooth, Picture* out) {
  const std::string path = "img/fonts/cues/" + stem + ".png";
  SDL_Surface* picture = nullptr;
  if (::LoadPicture(path, "Gamemain:cue picture load error " + path, &picture) == -1) return -1;
  out->stem = stem;
  out->w = picture->w;
  out->h = picture->h;
  out->texW = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(picture->w)));
  out->texH = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(picture->h)));
  glGenTextures(1, &out->texture);
  glBindTexture(GL_TEXTURE_2D, out->texture);
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  // Transparent storage around the picture, so that filtering at its border reads nothing else.
  const std::vector<Uint8> clear(static_cast<size_t>(out->texW) * out->texH * 4, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, out->texW, out->texH, 0, GL_RGBA, GL_UNSIGNED_BYTE, clear.data());
  if (SDL_MUSTLOCK(picture)) SDL_LockSurface(picture);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, picture->pitch / 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, picture->w, picture->h, GL_RGBA, GL_UNSIGNED_BYTE, picture->pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
  glBindTexture(GL_TEXTURE_2D, 0);
  FreePNGSurface(picture);
  return 0;
}

void SoundCues::Finalize() {
  if (glow.texture != 0) glDeleteTextures(1, &glow.texture);
  glow = Picture();
  for (Picture& p : captions) {
    if (p.texture != 0) glDeleteTextures(1, &p.texture);
  }
  captions.clear();
  heard.clear();
  for (Glow& g : edges) g = Glow();
  caption = -1;
  captionAge = 0;
  on = false;
}

int SoundCues::EdgeOf(const float* source, const Listener& listener, float fov) {
  // Into the eye's frame as the 3D view draws it: turned by the yaw about y, then by the pitch
  // about x; the eye looks along -z.
  const double pi = 3.14159265358979;
  const double dx = source[0] - listener.eye[0], dy = source[1] - listener.eye[1], dz = source[2] - listener.eye[2];
  const double cy = std::cos(listener.yaw * pi / 180), sy = std::sin(listener.yaw * pi / 180);
  const double x = dx * cy + dz * sy, z1 = -dx * sy + dz * cy;
  const double cp = std::cos(listener.pitch * pi / 180), sp = std::sin(listener.pitch * pi / 180);
  const double y = dy * cp - z1 * sp, z = dy * sp + z1 * cp;
  const double halfUp = std::tan(30.0 * fov * pi / 180), halfSide = halfUp * 4 / 3;
  const double ahead = -z;
  // A source is a point of the body (its centre or its feet): one that lies a little outside the
  // view still has most of its body in sight.
  const double m = SIGHT_MARGIN;
  if (ahead > 0 && std::abs(x) <= ahead * halfSide + m && std::abs(y) <= ahead * halfUp + m) return IN_SIGHT;
  // Behind (more than 120 degrees from the view's heading, seen from above): the bottom edge.
  const double heading = std::atan2(x, ahead) * 180 / pi;
  if (std::abs(heading) > 120) return BOTTOM;
  if (ahead <= 0 || std::abs(x) > ahead * halfSide) return x < 0 ? LEFT : RIGHT;
  return y > 0 ? TOP : BOTTOM;
}

void SoundCues::Aim(const float* source, int volume, const Listener& listener) {
  if (volume <= 0) return;
  const int edge = EdgeOf(source, listener, fieldOfView);
  if (edge == IN_SIGHT) return;
  edges[edge].heard = std::max(edges[edge].heard, volume * GLOW_MAX_ALPHA / 1000);
}

void SoundCues::Hear(const std::vector<std::string>& effects, const Enemy& enemies, bool enemiesRan,
                     const Listener& listener) {
  if (!on) return;
  for (const std::string& alias : effects) {
    for (const Captioned& c : kCaptioned) {
      if (alias != c.alias) continue;
      for (size_t i = 0; i < captions.size(); ++i) {
        if (captions[i].stem == c.stem) caption = static_cast<int>(i);
      }
      captionAge = 0;
    }
  }
  if (caption >= 0 && ++captionAge > CAPTION_FRAMES) caption = -1;

  if (enemiesRan) {
    for (const Enemy::StartedSE& s : enemies.getStartedSE()) {
      if (s.kind != Enemy::SE_ATTACK) continue;
      heard.push_back({{s.pos[0], s.pos[1], s.pos[2]}, s.volume, attackFrames[s.species]});
    }
  }
  for (Glow& g : edges) g.heard = 0;
  for (Heard& h : heard) {
    Aim(h.pos, h.volume, listener);
    --h.frames;
  }
  heard.erase(std::remove_if(heard.begin(), heard.end(), [](const Heard& h) { return h.frames <= 0; }),
              heard.end());
  for (Bullet* b : enemies.getBullets()) {
    if (b->isDelete() || b->isHited()) continue;
    float p[3];
    b->GetPos(p);
    const float dx = p[0] - listener.eye[0], dy = p[1] - listener.eye[1], dz = p[2] - listener.eye[2];
    if (dx * dx + dy * dy + dz * dz < SHOT_NEAR * SHOT_NEAR) continue;
    Aim(p, Enemy::VolumeAt(p, listener.eye), listener);
  }
  for (Glow& g : edges) {
    // A glow holds its strength a moment after its sound: a shot glimpsed for a frame or two
    // still fades in and out smoothly.
    if (g.heard > 0) {
      g.target = g.heard;
      g.hold = GLOW_HOLD;
    } else if (g.hold > 0 && --g.hold == 0) {
      g.target = 0;
    }
    g.alpha = g.alpha < g.target ? std::min(g.target, g.alpha + GLOW_RISE) : std::max(g.target, g.alpha - GLOW_FALL);
  }
}

const std::string& SoundCues::CaptionShown() const {
  static const std::string none;
  return caption >= 0 ? captions[caption].stem : none;
}

int SoundCues::CaptionAlpha() const {
  if (caption < 0) return 0;
  const int in = std::min(captionAge, CAPTION_FADE_IN) * 255 / CAPTION_FADE_IN;
  const int out = std::min(CAPTION_FRAMES - captionAge + 1, CAPTION_FADE_OUT) * 255 / CAPTION_FADE_OUT;
  return std::max(0, std::min(in, out));
}

void SoundCues::Draw() const {
  if (!on) return;
  const int captionAlpha = CaptionAlpha();
  bool any = captionAlpha > 0;
  for (const Glow& g : edges) any |= g.alpha > 0;
  if (!any) return;

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_CULL_FACE);  // the flipped y turns the quads' winding
  glEnable(GL_BLEND);

  // The glow picture is the left edge's: s runs out from the edge, t along it.
  const float s = static_cast<float>(glow.w) / glow.texW, t = static_cast<float>(glow.h) / glow.texH;
  const float depth = glow.w * GLOW_SCALE, span = glow.h * GLOW_SCALE;
  const float midX = width / 2.0f, midY = height / 2.0f;
  glBindTexture(GL_TEXTURE_2D, glow.texture);
  for (int e = 0; e < EDGES; ++e) {
    if (edges[e].alpha <= 0) continue;
    glColor4f(1, 1, 1, edges[e].alpha / 255.0f);
    if (e == LEFT) {
      Quad(0, midY - span / 2, depth, midY + span / 2, {{0, 0}, {s, 0}, {s, t}, {0, t}});
    } else if (e == RIGHT) {
      Quad(width - depth, midY - span / 2, static_cast<float>(width), midY + span / 2, {{s, 0}, {0, 0}, {0, t}, {s, t}});
    } else if (e == BOTTOM) {
      Quad(midX - span / 2, height - depth, midX + span / 2, static_cast<float>(height), {{s, 0}, {s, t}, {0, t}, {0, 0}});
    } else {
      Quad(midX - span / 2, 0, midX + span / 2, depth, {{0, 0}, {0, t}, {s, t}, {s, 0}});
    }
  }

  if (captionAlpha > 0) {
    const Picture& c = captions[caption];
    const float x0 = static_cast<float>((width - c.w) / 2), y0 = static_cast<float>(height - CAPTION_LIFT - c.h);
    const float cs = static_cast<float>(c.w) / c.texW, ct = static_cast<float>(c.h) / c.texH;
    glBindTexture(GL_TEXTURE_2D, c.texture);
    glColor4f(1, 1, 1, captionAlpha / 255.0f);
    Quad(x0, y0, x0 + c.w, y0 + c.h, {{0, 0}, {cs, 0}, {cs, ct}, {0, ct}});
  }

  glBindTexture(GL_TEXTURE_2D, 0);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
