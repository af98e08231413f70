// Recipes of the boss captions: each boss line exactly as spoken, white story lettering on a dark
// translucent band, centred on the screen by the game.
#include <algorithm>
#include <sstream>

#include "content.h"
#include "pngfile.h"
#include "shapes.h"
#include "typeset.h"

namespace assetgen {

namespace {

// "bossN-voiceM: text" lines shared with the voice recordings.
const char* const kVoiceLines =
#include "voicelines.inc"
    ;

// The caption picture of one line of speech: one or two lines of text on a rounded band.
Canvas Caption(const Fonts& f, const std::string& text) {
  const int px = 30, lineH = 40, maxW = 680;
  LetterStyle s = StoryStyle();
  std::vector<std::string> lines = WrapLines(f.sansBold, text, px, maxW);
  std::vector<Canvas> pics;
  int w = 0;
  for (const std::string& l : lines) {
    pics.push_back(TextPicture(f.sansBold, l, px, s));
    w = std::max(w, pics.back().Width());
  }
  int margin = StyleMargin(s);
  int bandW = w - 2 * margin + 64, bandH = static_cast<int>(lines.size()) * lineH + 28;
  int W = bandW + 16, H = bandH + 16;
  Canvas pic(W, H);
  Mask band(W, H);
  FillRoundRect(band, 8, 8, 8 + bandW, 8 + bandH, 12);
  Mask soft = band;
  soft.Blur(3);
  pic.PaintMask(soft, 0, 0, Hex(0x000000, 0.35f));
  pic.PaintMask(band, 0, 0, Hex(0x06060c, 0.62f));
  // A thin warm rule at the top and bottom of the band.
  Mask rules(W, H);
  FillRect(rules, 24, 10, W - 24, 11.5f);
  FillRect(rules, 24, H - 11.5f, W - 24, H - 10);
  pic.PaintMask(rules, 0, 0, Hex(0xd8a050, 0.7f));
  int y = 8 + 14 + (lineH - pics[0].Height()) / 2;
  for (const Canvas& p : pics) {
    pic.Draw(p, (W - p.Width()) / 2, y);
    y += lineH;
  }
  return pic;
}

}  // namespace

int GenerateCaptions(const std::string& outDir) {
  Fonts f;
  if (f.Init() != 0) return -1;
  std::istringstream in(kVoiceLines);
  std::string line;
  int count = 0;
  while (std::getline(in, line)) {
    size_t colon = line.find(':');
    size_t voice = line.find("-voice");
    if (colon == std::string::npos || voice == std::string::npos || voice > colon) continue;
    std::string name = line.substr(0, voice) + "-word" + line.substr(voice + 6, colon - voice - 6);
    std::string text = line.substr(colon + 1);
    text.erase(0, text.find_first_not_of(' '));
    if (WritePNG(outDir + "/img/fonts/" + name + ".png", Caption(f, text))) return -1;
    ++count;
  }
  if (count != 9) {
    fprintf(stderr, "assetgen: expected 9 boss lines, found %d\n", count);
    return -1;
  }
  return 0;
}

}  // namespace assetgen
