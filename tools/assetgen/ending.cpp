// Recipes of the ending: fourteen staff-roll pages on black, the statistics digits, label and
// percent sign, and the prompt that the special mode is unlocked.
#include <algorithm>

#include "content.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

constexpr int W = 800, H = 600;

struct Page {
  const char* heading;
  std::vector<const char*> lines;
};

// One page per part of the game; no names of people.
const Page kPages[14] = {
    {"QUORL", {"A descent into an ancient, living dungeon", "thirty floors deep"}},
    {"THE DUNGEON", {"Rooms, corridors and doors", "dug anew for every floor", "around one flight of stairs down"}},
    {"THE STONE", {"Grey rock, red clay, pale lime,", "green copper, and the living wall:", "five depths, five moods"}},
    {"THE CREATURES", {"Boosy, the gunner on two legs", "Doosy, the charging jaws", "Poosy, the floating eye",
                       "Zoosy, the tripod and its turret"}},
    {"THE GUARDIANS", {"The iron lord of the tenth floor", "The beast of the twentieth floor"}},
    {"MELPAIMS", {"The spire at the bottom of it all", "and the needles that rise from the floor"}},
    {"THE ARMS", {"An eight-round gun and its special rounds", "Meat for the wounded"}},
    {"THE PICTURES", {"Every texture, model and letter", "drawn by the generator from code", "Lettering in DejaVu"}},
    {"THE MUSIC", {"Ten pieces composed note by note", "by the generator's own sequencer"}},
    {"THE SOUND", {"Effects built from oscillators and noise", "Boss voices spoken by eSpeak NG"}},
    {"THE CODE", {"C++17 on SDL 1.2 and OpenGL 1.1", "libpng, LAME and mpg123"}},
    {"THE TOOLS", {"CMake, Ninja, GoogleTest and FreeType", "on Debian"}},
    {"THANK YOU", {"to the one who went", "all the way down"}},
    {"THE END", {}},
};

Canvas StaffPage(const Fonts& f, const Page& p, bool last) {
  Canvas page(W, H, Hex(0x000000));
  LetterStyle head = HeadingStyle();
  // The first page carries the name as on the title, the last one closes in the same stone.
  bool carved = last || &p == &kPages[0];
  Canvas title = carved ? TextPicture(f.serifBold, p.heading, 96, CarvedStyle(), 10)
                        : TextPicture(f.sansBold, p.heading, 46, head, 6);
  int lineH = 40;
  // The carved name's glow reaches far beyond its letters: let the lines start inside it.
  int overlap = carved ? StyleMargin(CarvedStyle()) * 2 / 3 : 0;
  int blockH = title.Height() - overlap + 30 + static_cast<int>(p.lines.size()) * lineH;
  int y = (H - blockH) / 2;
  page.Draw(title, (W - title.Width()) / 2, y);
  y += title.Height() - overlap + 6;
  if (!carved) {
    // A gold rule under the heading, fading at both ends.
    for (int x = 200; x < 600; ++x) {
      float a = 1.0f - std::abs(x - 400) / 200.0f;
      page.Blend(x, y, Hex(0xd8a050), a);
      page.Blend(x, y + 1, Hex(0x8a5a20), a);
    }
  }
  y += 24;
  LetterStyle body = StoryStyle();
  body.top = Hex(0xf0f0f4);
  body.bottom = Hex(0xc8ccd8);
  for (const char* l : p.lines) {
    Canvas line = TextPicture(f.sans, l, 26, body);
    page.Draw(line, (W - line.Width()) / 2, y);
    y += lineH;
  }
  for (int yy = 0; yy < H; ++yy)
    for (int x = 0; x < W; ++x) page.At(x, yy).a = 1;
  return page;
}

// Statistics pictures are copied onto a black page without blending: flatten them over black.
Canvas OverBlack(Canvas c) {
  Binarise(c, 0.15f, Hex(0x000000));
  return c;
}

}  // namespace

int GenerateEnding(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;
  for (int i = 0; i < 14; ++i)
    if (WritePNG(outDir + "/img/staff/" + std::to_string(i + 1) + ".png", StaffPage(f, kPages[i], i == 13)))
      return -1;

  // Three digits stand right-aligned against the percent sign at (550, 300); the label sits
  // left of them at (200, 290), so it must fit in about 210 pixels.
  const std::string dir = outDir + "/img/fonts/genocide/";
  LetterStyle hud = HudStyle();
  const int dw = 44, dh = 64, dpx = 66, base = 56;
  for (int d = 0; d <= 9; ++d)
    if (WritePNG(dir + std::to_string(d) + ".png",
                 OverBlack(GlyphCell(f.monoBold, std::to_string(d), dpx, dw, dh, base, hud))))
      return -1;
  if (WritePNG(dir + "percent.png", OverBlack(GlyphCell(f.sansBold, "%", 54, 52, dh, base, hud)))) return -1;
  int px = 30;
  Canvas label = TextPicture(f.sansBold, "EXTERMINATION", px, hud, 1);
  while (label.Width() > 212 && px > 12) label = TextPicture(f.sansBold, "EXTERMINATION", --px, hud, 1);
  Canvas labelBox(label.Width(), 84);
  labelBox.Draw(label, 0, (84 - label.Height()) / 2);
  if (WritePNG(dir + "genocide.png", OverBlack(labelBox))) return -1;

  // The prompt at (150, 380): special mode unlocked, toggled with F on the title.
  Canvas head = TextPicture(f.sansBold, "SPECIAL MODE UNLOCKED", 32, HudStyle(), 2);
  LetterStyle body = StoryStyle();
  Canvas line = TextPicture(f.sansBold, "Press F on the title screen to switch it on or off", 19, body);
  int pw = std::max(head.Width(), line.Width());
  Canvas prompt(pw, head.Height() + line.Height() - 8);
  prompt.Draw(head, (pw - head.Width()) / 2, 0);
  prompt.Draw(line, (pw - line.Width()) / 2, head.Height() - 8);
  if (WritePNG(outDir + "/img/fonts/push-F.png", OverBlack(prompt))) return -1;
  return 0;
}

}  // namespace assetgen
