// Recipe of the desktop entry and its icon: a stairway going down into a dark doorway, under a
// red crosshair, on a stone tile; the entry starts the installed program from the menus.
#include <cstdio>
#include <string>

#include "content.h"
#include "pngfile.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr int kIconSize = 128;  // pixels; desktops scale it down for their menus

const char* const kDesktopEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=QUORL\n"
    "GenericName=Dungeon Shooter\n"
    "Comment=Descend thirty floors of a dungeon in the first person\n"
    "Exec=quorl\n"
    "Icon=quorl\n"
    "Terminal=false\n"
    "Categories=Game;ActionGame;\n"
    "Keywords=shooter;dungeon;first-person;\n";

}  // namespace

Canvas DesktopIcon() {
  const int S = kIconSize;
  const float s = S / 128.0f;
  Canvas pic(S, S);
  Mask tile(S, S);
  FillRoundRect(tile, 4 * s, 4 * s, S - 4 * s, S - 4 * s, 18 * s);
  pic.PaintMask(tile, 0, 0, [&](int, int y) { return Mix(Hex(0x3a3430), Hex(0x1c1917), y / float(S)); });
  // The doorway and the steps going down into it, each step darker and narrower.
  Mask door(S, S);
  FillRect(door, 34 * s, 28 * s, 94 * s, 108 * s);
  pic.PaintMask(door, 0, 0, Hex(0x0b0a0a));
  for (int i = 0; i < 5; ++i) {
    Mask step(S, S);
    const float inset = i * 5 * s, y = (100 - i * 12) * s;
    FillRect(step, 34 * s + inset, y, 94 * s - inset, y + 7 * s);
    pic.PaintMask(step, 0, 0, Mix(Hex(0x8a7f74), Hex(0x2a2522), i / 5.0f));
  }
  // The crosshair, outlined so that it reads on light and dark menus.
  Mask sight(S, S);
  const float c = S / 2.0f, gap = 9 * s, len = 22 * s, w = 5 * s;
  StrokeLine(sight, c - gap - len, c, c - gap, c, w);
  StrokeLine(sight, c + gap, c, c + gap + len, c, w);
  StrokeLine(sight, c, c - gap - len, c, c - gap, w);
  StrokeLine(sight, c, c + gap, c, c + gap + len, w);
  FillEllipse(sight, c, c, 3 * s, 3 * s);
  Mask outline = sight;
  outline.Dilate(2.5f * s);
  pic.PaintMask(outline, 0, 0, Hex(0x000000, 0.8f));
  pic.PaintMask(sight, 0, 0, Hex(0xe0302a));
  return pic;
}

int GenerateDesktop(const std::string& outDir) {
  if (WritePNG(outDir + "/desktop/quorl.png", DesktopIcon()) != 0) return -1;
  const std::string path = outDir + "/desktop/quorl.desktop";
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  const bool written = fputs(kDesktopEntry, file) >= 0;
  if (fclose(file) != 0 || !written) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  return 0;
}

}  // namespace assetgen
