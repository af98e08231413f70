// The status board and the overlay: pictures, composing, upload and the scissored draw.
#include "game/statusboard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/loadpng.h"
#include "common/canvastexture.h"
#include "common/commonfunc.h"
#include "common/framemarks.h"
#include "common/frametime.h"
#include "common/screenframe.h"
#include "game/gameconst.h"

namespace {

const int HIT_MARK_WIDTH = 6;  // pixels of the still hit mark along each edge
// The run timer: its digits' top edge, the gap right of the life gauge, and the squares of its
// colon and point (a dark rim around a light dot, as the digits are outlined).
const int TIMER_Y = 10, TIMER_GAP = 14, TIMER_DOT = 4, TIMER_RIM = 1;

struct BarColour {
  int r, g, b;
};

// The life bar's colour at `life` of the full hit points: the design's green, yellow and red, or
// the colour-safe light blue, orange and dark violet (each step also darker than the one before).
BarColour LifeBarColour(int life, bool colourSafe) {
  using gamemain_const::MaxHitPoint;
  const int half = MaxHitPoint / 2;
  if (!colourSafe) {
    const int c1 = life > half ? 192 * (MaxHitPoint - life) / half : 192;
    const int c2 = life > half ? 192 : 192 * life / half;
    return {c1, c2, 0};
  }
  static const BarColour kFull = {160, 220, 255}, kHalf = {230, 160, 0}, kEmpty = {100, 30, 150};
  const BarColour& from = life > half ? kHalf : kEmpty;
  const BarColour& to = life > half ? kFull : kHalf;
  const int t = life > half ? life - half : life, span = life > half ? MaxHitPoint - half : half;
  auto mix = [&](int a, int b) { return a + (b - a) * std::min(t, span) / span; };
  return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

// The pictures of the status board; `failure` is printed (followed by the path when `withPath`).
struct BoardPicture {
  const char* path;
  const char* failure;
  bool withPath;
};
const BoardPicture kBulletIcons[3] = {{"img/bullet.png", "Gamemain:Error", false},
                                      {"img/bullet_sp.png", "Gamemain:Error", false},
                                      {"img/bullet_shadow.png", "Gamemain:Error", false}};
const BoardPicture kPausePicture = {"img/fonts/pause.png", "Gamemain:Pause surface Load error ", true};
const BoardPicture kGaugePicture = {"img/life-gauge.png", "Gamemain:Gauge surface Load error", false};
const BoardPicture kSightPicture = {"img/Sight.png", "Gamemain:Sight surface Load error", false};

// The glyph files of a number font: digits 0 to 9, then the two extra glyphs.
struct GlyphFont {
  const char* folder;
  const char* extras[2];
  const char* failure;
};
const GlyphFont kFloorFont = {"img/fonts/floor/", {"B.png", "F.png"}, "Gamemain:Number surface Load error "};
const GlyphFont kSpFont = {"img/fonts/spbulletnum/", {"times.png", "bullet.png"},
                           "Gamemain:SpBulletNum surface Load error "};

int LoadBoardPicture(const BoardPicture& picture, SDL_Surface** surface) {
  return LoadPicture(picture.path, picture.withPath ? std::string(picture.failure) + picture.path
                                                    : std::string(picture.failure),
                     surface);
}

int LoadFont(const GlyphFont& font, std::vector<SDL_Surface*>* glyphs) {
  for (int i = 0; i < 12; ++i) {
    const std::string path = std::string(font.folder) + (i < 10 ? std::to_string(i) + ".png" : font.extras[i - 10]);
    SDL_Surface* glyph = nullptr;
    if (LoadPicture(path, font.failure + path, &glyph) == -1) return -1;
    glyphs->push_back(glyph);
  }
  return 0;
}

// A screen-sized board of R, G, B, A bytes, cleared to transparent black.
SDL_Surface* CreateBoard(int width, int height) {
  SDL_Surface* board = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF000000, 0x00FF0000,
                                            0x0000FF00, 0x000000FF);
  if (board == nullptr) {
    printf("CreateRGBSurface failure: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_FillRect(board, nullptr, 0);
  return board;
}

// A board's quad in the plane z = 0, halfWidth x halfHeight either side of the eye's line, showing
// the texture's region (0, 0)-(u, v) with its row 0 at the top.
void BoardQuad(float halfWidth, float halfHeight, float u, float v) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, v);
  glVertex3f(-halfWidth, -halfHeight, 0);
  glTexCoord2f(u, v);
  glVertex3f(halfWidth, -halfHeight, 0);
  glTexCoord2f(u, 0);
  glVertex3f(halfWidth, halfHeight, 0);
  glTexCoord2f(0, 0);
  glVertex3f(-halfWidth, halfHeight, 0);
  glEnd();
}

const float _BoardZ = 0.50002f;  // distance of the status board in front of the eye

}  // namespace

int StatusBoard::Init(int screenWidth, int screenHeight) {
  Finalize();
  width = screenWidth;
  height = screenHeight;
  statusSurface = CreateBoard(width, height);
  if (statusSurface == nullptr) return -1;

  texWidth = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(width)));
  texHeight = static_cast<int>(QUORL_COMMON::CanvasSide(static_cast<unsigned int>(height)));
  unsigned int textures[1] = {0};
  if (QUORL_COMMON::CreateCanvasTextures(width, height, 1, textures) == -1) {
    printf("Gamemain:canvas texture error\n");
    return -1;
  }
  statusTexture = textures[0];
  texturesMade = true;
  // The overlay starts transparent; the status board is composed whole in the first frame.
  for (Uint8& channel : overlayColour) channel = 0;
  statusPieces.Invalidate();

  for (int i = 0; i < 3; ++i) {
    if (LoadBoardPicture(kBulletIcons[i], &bulletIcons[i]) == -1) return -1;
  }
  // The empty-round icon keeps its colours at a third of their opacity: A AND 0x55.
  SDL_Surface* shadow = bulletIcons[2];
  if (SDL_MUSTLOCK(shadow)) SDL_LockSurface(shadow);
  Uint8* bytes = static_cast<Uint8*>(shadow->pixels);
  for (int y = 0; y < shadow->h; ++y) {
    for (int x = 0; x < shadow->w; ++x) bytes[y * shadow->pitch + x * 4 + 3] &= 0x55;
  }
  if (SDL_MUSTLOCK(shadow)) SDL_UnlockSurface(shadow);

  if (LoadFont(kFloorFont, &floorGlyphs) == -1 || LoadFont(kSpFont, &spGlyphs) == -1) return -1;
  if (LoadBoardPicture(kPausePicture, &pauseImage) == -1 || LoadBoardPicture(kGaugePicture, &gaugeImage) == -1 ||
      LoadBoardPicture(kSightPicture, &sightImage) == -1) {
    return -1;
  }
  caption = nullptr;
  return 0;
}

void StatusBoard::Finalize() {
  if (statusSurface != nullptr) SDL_FreeSurface(statusSurface);
  statusSurface = nullptr;
  for (SDL_Surface*& icon : bulletIcons) {
    FreePNGSurface(icon);
    icon = nullptr;
  }
  for (SDL_Surface* glyph : floorGlyphs) FreePNGSurface(glyph);
  for (SDL_Surface* glyph : spGlyphs) FreePNGSurface(glyph);
  floorGlyphs.clear();
  spGlyphs.clear();
  for (SDL_Surface** picture : {&pauseImage, &gaugeImage, &sightImage}) {
    FreePNGSurface(*picture);
    *picture = nullptr;
  }
  ReleaseCaption();
  FreePNGSurface(preparedCaption);
  preparedCaption = nullptr;
  preparedCaptionPath.clear();
  if (texturesMade) {
    glDeleteTextures(1, &statusTexture);
  }
  texturesMade = false;
  statusTexture = 0;
}

void StatusBoard::ShowFloorNumber() { floorDispTime = gamemain_const::FLOOR_DISP_TIME; }

void StatusBoard::Compose(const Reading& game) {
  using namespace gamemain_const;
  // The pieces in drawing order; BoardPieces redraws only those parts of the board that changed.
  statusPieces.Begin();
  SDL_Surface* centre = game.paused ? pauseImage : sightImage;
  statusPieces.Test(centre, (width - centre->w) / 2, (height - centre->h) / 2);

  // Life bar: green at full hit points, yellow at half, red near zero (colour-safe: light blue,
  // orange, dark violet, which differ in lightness as well as in hue).
  const int life = std::max(game.hitPoint, 0);
  const BarColour bar = LifeBarColour(life, game.colourSafe);
  // The board's format names its bytes backwards: the memory's R, G, B, A are mapped as A, B, G, R.
  statusPieces.Fill(77, 40, life, 24, SDL_MapRGBA(statusSurface->format, 255, bar.b, bar.g, bar.r));
  statusPieces.Test(gaugeImage, 0, 0);

  // Magazine, right to left along the top edge; colour-safe, special rounds are also underlined.
  const int iconWidth = bulletIcons[0]->w;
  for (int i = 0; i < game.magazineSize; ++i) {
    SDL_Surface* icon = game.magazine <= i ? bulletIcons[2] : bulletIcons[game.bulletType == 1 ? 1 : 0];
    statusPieces.Copy(icon, width - (i + 1) * iconWidth, 0);
    if (game.colourSafe && game.bulletType == 1 && i < game.magazine) {
      statusPieces.Fill(width - (i + 1) * iconWidth + 3, icon->h, iconWidth - 6, 3,
                        SDL_MapRGBA(statusSurface->format, 255, 255, 255, 255));
    }
  }

  // A hit with the damage flash off: a still dark-red frame along the edges.
  if (game.hitMark) {
    const Uint32 mark = SDL_MapRGBA(statusSurface->format, 200, 24, 24, 170);  // backwards, as above
    statusPieces.Fill(0, 0, width, HIT_MARK_WIDTH, mark);
    statusPieces.Fill(0, height - HIT_MARK_WIDTH, width, HIT_MARK_WIDTH, mark);
    statusPieces.Fill(0, 0, HIT_MARK_WIDTH, height, mark);
    statusPieces.Fill(width - HIT_MARK_WIDTH, 0, HIT_MARK_WIDTH, height, mark);
  }

  // Floor number "B<digits>F" at the bottom right, fading over its last 60 frames.
  if (floorDispTime > 0) {
    const int alpha = floorDispTime <= FLOOR_FADE_STAT - 1 ? floorDispTime * 255 / FLOOR_FADE_STAT : 255;
    SDL_Surface* f = floorGlyphs[11];
    int x = width - f->w / 2;
    const int y = height - f->h;
    statusPieces.Blend(f, x, y, alpha);
    int number = std::max(game.floor, 0);
    do {
      SDL_Surface* digit = floorGlyphs[number % 10];
      x -= digit->w;
      statusPieces.Blend(digit, x, y, alpha);
      number /= 10;
    } while (number > 0);
    x -= floorGlyphs[10]->w;
    statusPieces.Blend(floorGlyphs[10], x, y, alpha);
    --floorDispTime;
  }

  // Special-bullet counter at the bottom left: bullet, times sign, three digits.
  int x = 5 * spGlyphs[0]->w;
  const int y = height - spGlyphs[0]->h;
  int stock = std::max(game.spBullets, 0);
  for (int i = 0; i < 3; ++i, stock /= 10) {
    x -= spGlyphs[stock % 10]->w;
    statusPieces.Copy(spGlyphs[stock % 10], x, y);
  }
  x -= spGlyphs[10]->w;
  statusPieces.Copy(spGlyphs[10], x, y);
  x -= spGlyphs[11]->w;
  statusPieces.Copy(spGlyphs[11], x, y);

  if (game.timer >= 0) ComposeTimer(game.timer);

  if (caption != nullptr) {
    statusPieces.Copy(caption, (width - caption->w) / 2, (height - caption->h) / 2);
  }
  statusPieces.Compose(statusSurface);
}

void StatusBoard::ComposeTimer(long frames) {
  // The same colours backwards, as the board's format names them (A, B, G, R).
  const Uint32 rim = SDL_MapRGBA(statusSurface->format, 255, 16, 24, 32);
  const Uint32 dot = SDL_MapRGBA(statusSurface->format, 255, 176, 224, 240);
  const int digitHeight = spGlyphs[0]->h;
  int x = gaugeImage->w + TIMER_GAP;
  for (const char c : QUORL_COMMON::FrameTime(frames)) {
    if (c >= '0' && c <= '9') {
      statusPieces.Copy(spGlyphs[c - '0'], x, TIMER_Y);
      x += spGlyphs[c - '0']->w;
      continue;
    }
    // ':' two dots, '.' one on the baseline.
    const int side = TIMER_DOT + 2 * TIMER_RIM;
    const int baseline = TIMER_Y + digitHeight * 3 / 4;
    const int rows[2] = {TIMER_Y + digitHeight * 3 / 8, baseline};
    for (int i = c == ':' ? 0 : 1; i < 2; ++i) {
      statusPieces.Fill(x, rows[i] - side, side, side, rim);
      statusPieces.Fill(x + TIMER_RIM, rows[i] - side + TIMER_RIM, TIMER_DOT, TIMER_DOT, dot);
    }
    x += side + TIMER_RIM;
  }
}

void StatusBoard::Upload() { statusPieces.Upload(statusSurface, statusTexture); }

void StatusBoard::FillOverlay(int r, int g, int b, int alpha) {
  overlayColour[0] = static_cast<Uint8>(r);
  overlayColour[1] = static_cast<Uint8>(g);
  overlayColour[2] = static_cast<Uint8>(b);
  overlayColour[3] = static_cast<Uint8>(alpha);
}

int StatusBoard::ShowCaption(const std::string& path) {
  ReleaseCaption();
  if (!preparedCaptionPath.empty() && path == preparedCaptionPath) {
    caption = preparedCaption;
    preparedCaption = nullptr;
    preparedCaptionPath.clear();
    return caption != nullptr ? 0 : -1;
  }
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_CAPTION);
  return LoadPicture(path, "Gamemain:Text surface Load error", &caption);
}

void StatusBoard::PrepareCaption(const std::string& path) {
  if (path == preparedCaptionPath) return;
  FreePNGSurface(preparedCaption);
  preparedCaption = nullptr;
  preparedCaptionPath = path;
  QUORL_COMMON::FrameMarks::Note(QUORL_COMMON::MARK_CAPTION);
  if (LoadPicture(path, "Gamemain:Text surface Load error", &preparedCaption) == -1) preparedCaption = nullptr;
}

void StatusBoard::ReleaseCaption() {
  FreePNGSurface(caption);
  caption = nullptr;
  statusPieces.Invalidate();  // the next caption may take the same address
}

void StatusBoard::Draw() {
  glEnable(GL_BLEND);
  glPushMatrix();
  glTranslatef(0, 0, -_BoardZ);
  const float u = static_cast<float>(width) / texWidth;
  const float v = static_cast<float>(height) / texHeight;
  DrawStatusBoard(0.38f, 0.288f, u, v);
  // The overlay is one colour all over; fully transparent it would change no pixel.
  if (overlayColour[3] != 0) DrawOverlay(overlayColour);
  glBindTexture(GL_TEXTURE_2D, 0);
  glPopMatrix();
  glDisable(GL_BLEND);
}

void StatusBoard::DrawOverlay(const Uint8* colour) {
  glTranslatef(0, 0, 0.00001f);
  // One colour needs no picture: the colour itself, unshaded, blends to the same pixels as a
  // texture filled with it would, without a texture lookup or upload.
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
  glColor4ubv(colour);
  BoardQuad(0.4f, 0.3f, 1, 1);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
}

void StatusBoard::WarmUpDrawing() {
  const Uint8 faint[4] = {0, 0, 0, 1};
  glEnable(GL_BLEND);
  glPushMatrix();
  glTranslatef(0, 0, -_BoardZ);
  DrawOverlay(faint);
  glPopMatrix();
  glDisable(GL_BLEND);
}

void StatusBoard::DrawStatusBoard(float halfWidth, float halfHeight, float u, float v) {
  const std::vector<SDL_Rect>& covered = statusPieces.Covered();
  if (covered.empty()) return;
  // Where the board's corners land in the window: the quad is the same whole-board quad as ever,
  // only cut down by scissor rectangles around the parts that hold something (plus 2 pixels), so
  // each pixel drawn is exactly the pixel the whole quad gives there.
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble left, top, right, bottom, depth;
  gluProject(-halfWidth, halfHeight, 0, model, projection, viewport, &left, &top, &depth);
  gluProject(halfWidth, -halfHeight, 0, model, projection, viewport, &right, &bottom, &depth);
  const double sx = (right - left) / width, sy = (top - bottom) / height;
  statusScissors.clear();
  for (const SDL_Rect& r : covered) {
    const int x0 = std::max(viewport[0], static_cast<int>(std::floor(left + r.x * sx)) - 2);
    const int x1 = std::min(viewport[0] + viewport[2], static_cast<int>(std::ceil(left + (r.x + r.w) * sx)) + 2);
    const int y0 = std::max(viewport[1], static_cast<int>(std::floor(top - (r.y + r.h) * sy)) - 2);
    const int y1 = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(top - r.y * sy)) + 2);
    if (x1 <= x0 || y1 <= y0) continue;
    statusScissors.push_back({static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0),
                              static_cast<Uint16>(y1 - y0)});
  }
  // Widened rectangles may overlap now; a pixel drawn twice would be blended twice.
  BoardPieces::MergeOverlaps(&statusScissors);
  ScreenFrame::BindCanvas(statusTexture);
  glColor3f(1, 1, 1);
  glEnable(GL_SCISSOR_TEST);
  for (const SDL_Rect& r : statusScissors) {
    glScissor(r.x, r.y, r.w, r.h);
    BoardQuad(halfWidth, halfHeight, u, v);
  }
  glDisable(GL_SCISSOR_TEST);
}
