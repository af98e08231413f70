// The visible sounds: unseen attacks marked at the screen's edge and effect captions low on it.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

class Enemy;

// Turns what the player hears each frame into pictures: an enemy's attack sound or an enemy shot
// from outside the view lights a warm glow at the screen's edge towards it (left, right, bottom
// for behind, top for above), as strong as the sound is loud and as long as it lasts; the
// effects that matter in play get a short caption. It only reads the game and draws; switched
// off it loads nothing and draws nothing.
class SoundCues {
 public:
  enum Edge { LEFT = 0, RIGHT = 1, BOTTOM = 2, TOP = 3, EDGES = 4, IN_SIGHT = -1 };

  SoundCues() = default;
  ~SoundCues() { Finalize(); }
  SoundCues(const SoundCues&) = delete;
  SoundCues& operator=(const SoundCues&) = delete;

  // Switched on, loads the pictures (from the content folder) and the attack sounds' lengths
  // and makes the textures for a width x height screen whose view is 60 x fieldOfView degrees
  // high. Off, only forgets what was shown. Returns 0, or -1 after a message.
  int Init(bool on, int width, int height, float fieldOfView);
  // Releases the pictures and textures; safe twice.
  void Finalize();
  bool On() const { return on; }

  // Where the player listens and looks from: the eye (x, y, z), yaw and pitch in degrees.
  struct Listener {
    const float* eye;
    float yaw, pitch;
  };
  // One frame: `effects` are the aliases started this frame, `enemies` the enemy manager
  // (its slots started this frame when `enemiesRan`, and its shots in flight).
  void Hear(const std::vector<std::string>& effects, const Enemy& enemies, bool enemiesRan,
            const Listener& listener);
  // Draws the glows and the caption over the 3D view (screen pixels; restores what it changes).
  void Draw() const;

  // Which edge a sound at `source` shows on, or IN_SIGHT when it lies within the view.
  static int EdgeOf(const float* source, const Listener& listener, float fieldOfView);
  // The opacity (0..255) a glow shows with this frame, and the caption shown (its file stem,
  // empty for none) and its opacity.
  int EdgeAlpha(int edge) const { return edges[edge].alpha; }
  const std::string& CaptionShown() const;
  int CaptionAlpha() const;

 private:
  struct Picture {
    std::string stem;
    unsigned int texture = 0;
    int w = 0, h = 0, texW = 0, texH = 0;
  };
  // An attack sound still heard: where it came from, its loudness 0..1000 and frames left.
  struct Heard {
    float pos[3];
    int volume, frames;
  };
  struct Glow {
    int heard = 0;              // opacity the sounds of this frame ask for, 0..255
    int target = 0, alpha = 0;  // opacity wanted and shown, 0..255
    int hold = 0;               // frames the target still holds without a sound
  };
  // Loads img/fonts/cues/STEM.png into a texture of its own. 0, or -1 after a message.
  int LoadTexture(const std::string& stem, bool smooth, Picture* out);
  void Aim(const float* source, int volume, const Listener& listener);

  bool on = false;
  int width = 0, height = 0;
  float fieldOfView = 1.0f;
  int attackFrames[4] = {30, 30, 30, 30};  // each species' attack sound, in frames
  std::vector<Heard> heard;
  Glow edges[EDGES];
  Picture glow;
  std::vector<Picture> captions;
  int caption = -1;     // index into captions, or -1
  int captionAge = 0;   // frames since it started
};
