// Recipe of the desktop entry and its icons: a stairway going down into a dark doorway, under a
// red crosshair, on a stone tile; the entry starts the installed program from the menus.
#include "desktop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content.h"
#include "pngfile.h"
#include "shapes.h"

namespace assetgen {

namespace {

// The entry's file name, its icon and the window class the program sets are all the id, so that
// desktops match the running window with its launcher and icon.
const char* const kDesktopEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=QUORL\n"
    "GenericName=Dungeon Shooter\n"
    "Comment=Descend thirty floors of a dungeon in the first person\n"
    "Exec=quorl\n"
    "Icon=org.quorl.Quorl\n"
    "Terminal=false\n"
    "Categories=Game;ActionGame;\n"
    "Keywords=shooter;dungeon;first-person;fps;monsters;\n"
    "StartupWMClass=org.quorl.Quorl\n";

int WriteText(const std::string& path, const char* text) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  const bool written = fputs(text, file) >= 0;
  if (fclose(file) != 0 || !written) {
    fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return -1;
  }
  return 0;
}

}  // namespace

const std::vector<int>& DesktopIconSizes() {
  static const std::vector<int> sizes = {48, 64, 128, 256};
  return sizes;
}

std::string DesktopIconPath(int size) {
  const std::string n = std::to_string(size);
  return "desktop/icons/" + n + "x" + n + "/" + kDesktopId + ".png";
}

// Drawn for each size from the same recipe on a 128-unit grid: edges land on whole pixels, the
// crosshair's arms are an even number of pixels wide about the centre line (crisp at any size),
// and below 96 px the stairway has three steps instead of five so each stays at least 2 px high.
Canvas DesktopIcon(int size) {
  const int S = size;
  const float s = S / 128.0f;
  auto px = [&](float units) { return std::round(units * s); };  // grid units to whole pixels
  Canvas pic(S, S);
  Mask tile(S, S);
  const float margin = std::max(1.0f, px(4));
  FillRoundRect(tile, margin, margin, S - margin, S - margin, 18 * s);
  pic.PaintMask(tile, 0, 0, [&](int, int y) { return Mix(Hex(0x3a3430), Hex(0x1c1917), y / float(S)); });
  // A lighter rim so that the tile stands out on dark menus.
  Mask rim = tile;
  Mask inner = tile;
  inner.Erode(std::max(1.0f, 1.5f * s));
  rim.Subtract(inner);
  pic.PaintMask(rim, 0, 0, Hex(0x6a6058, 0.9f));
  // The doorway and the steps going down into it, each step darker and narrower.
  const float doorLeft = px(34), doorRight = px(94), doorTop = px(28), doorBottom = px(108);
  Mask door(S, S);
  FillRect(door, doorLeft, doorTop, doorRight, doorBottom);
  pic.PaintMask(door, 0, 0, Hex(0x0b0a0a));
  const int steps = S >= 96 ? 5 : 3;
  const float pitch = 60.0f / steps;  // grid units from one step to the next
  for (int i = 0; i < steps; ++i) {
    Mask step(S, S);
    const float inset = px(i * 25.0f / steps), top = px(107 - pitch * (i + 1) + pitch * 5 / 12);
    const float bottom = px(107 - pitch * i);
    FillRect(step, doorLeft + inset, top, doorRight - inset, bottom);
    pic.PaintMask(step, 0, 0, Mix(Hex(0x8a7f74), Hex(0x2a2522), i / float(steps)));
  }
  // The crosshair, outlined so that it reads on light and dark menus.
  Mask sight(S, S);
  const float c = S / 2.0f, gap = std::max(3.0f, px(9)), len = std::max(7.0f, px(22));
  const float w = std::max(2.0f, 2 * px(2.5f));
  StrokeLine(sight, c - gap - len, c, c - gap, c, w);
  StrokeLine(sight, c + gap, c, c + gap + len, c, w);
  StrokeLine(sight, c, c - gap - len, c, c - gap, w);
  StrokeLine(sight, c, c + gap, c, c + gap + len, w);
  FillEllipse(sight, c, c, std::max(1.0f, 3 * s), std::max(1.0f, 3 * s));
  Mask outline = sight;
  outline.Dilate(std::max(1.0f, 2.5f * s));
  pic.PaintMask(outline, 0, 0, Hex(0x000000, 0.8f));
  pic.PaintMask(sight, 0, 0, Hex(0xe0302a));
  return pic;
}

int GenerateDesktop(const std::string& outDir) {
  for (int size : DesktopIconSizes())
    if (WritePNG(outDir + "/" + DesktopIconPath(size), DesktopIcon(size)) != 0) return -1;
  return WriteText(outDir + "/desktop/" + kDesktopId + ".desktop", kDesktopEntry);
}

}  // namespace assetgen
