// The game scene's constants: times in frames, hit points, damage, rounds, glyph sizes in pixels.
#pragma once

namespace gamemain_const {
const int NUM_XSIZE = 41;          // nominal digit width of the number fonts
const int NUM_YSIZE = 50;          // nominal digit height of the number fonts
const int RELOAD_TIME = 120;       // frames a reload takes
const int SHOT_TIME = 15;          // frames between two shots (also after an empty click)
const int DOWN_STAIRS_TIME = 100;  // frames from stepping on the stairs to the new floor
const int DEAD_FADE_TIME = 160;    // frames of the death fade
const int FLOOR_DISP_TIME = 180;   // frames the floor number shows on a new floor
const int FLOOR_FADE_STAT = 60;    // the floor number fades out over its last 60 frames
const int ENEMY_NUMBER = 5;        // added to the floor number: enemies asked for on a floor
const int MaxHitPoint = 290;       // full hit points (and the full life bar's length in pixels)
const int BULLET_DAMAGE = 5;       // damage of a special round (a normal round does 1)
const int MAGAZINE_SIZE = 8;       // rounds a full magazine holds
const int SP_BULLET_MAX = 999;     // the most special rounds the stock holds
const int HIT_MOVE_CNT = 15;       // frames of knock-back (and invincibility) after a push
const float EYE_HEIGHT = 0.6f;     // the eye (and the muzzle) above the player's feet, world units
const double VIEW_ANGLE = 60.0;    // the view's height in degrees (the boards sit in front of it)
}  // namespace gamemain_const
