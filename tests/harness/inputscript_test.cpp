// Tests of the scripted input format and its delivery.
#include <gtest/gtest.h>

#include <cstring>

#include "harness/inputscript.h"

TEST(InputScript, KeepsFrameOrderAndSkipsCommentsAndBlankLines) {
  InputScript script;
  std::string error;
  ASSERT_EQ(0, script.Parse("# a demo\n70 keyup w   # stop\n\n12 mousedown 1 100 550\n10 keydown w\n12 keydown f12\n",
                            &error))
      << error;
  std::string lines;
  for (const ScriptEvent& e : script.Events()) lines += InputScript::FormatEvent(e) + " @" + std::to_string(e.line) + "\n";
  EXPECT_EQ("10 keydown w @5\n12 mousedown 1 100 550 @4\n12 keydown f12 @6\n70 keyup w @2\n", lines);
}

TEST(InputScript, MalformedLinesNameTheirLineNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"10 keydown w\nx keydown w\n", "line 2"},
      {"10 keydown\n", "line 1"},
      {"10 keydown hyperspace\n", "unknown key"},
      {"\n\n10 jump\n", "line 3: unknown event"},
      {"10 mousedown 1 100\n", "mousedown"},
      {"10 mousedown 9 100 100\n", "mousedown"},
      {"10 mousemotion 1 2 3\n", "mousemotion"},
      {"10 quit now\n", "quit"},
      {"10 screenshot\n", "screenshot"},
      {"-5 quit\n", "line 1"},
      {"0 quit\n", "line 1: FRAME must be 1"},  // pass 0 runs no scene: it would never arrive
      {"99999999999999999999 quit\n", "line 1"},
      {"7\n", "line 1"},
      {"1 joyaxis 16 0\n", "joyaxis needs AXIS (0-15)"},
      {"1 joyaxis 0 40000\n", "VALUE (-32768 to 32767)"},
      {"1 joybutton down 32\n", "joybutton needs down|up BUTTON (0-31)"},
      {"1 joybutton press 1\n", "joybutton needs"},
      {"1 joyhat 2 0\n", "joyhat needs X"},
      {"1 joyhat 0\n", "joyhat needs X"},
      // A demo's first line of another version, or malformed; a version 2 setting without '=' or name.
      {"# quorl demo 3 seed 5\n1 quit\n", "line 1: unknown demo version 3"},
      {"# quorl demo 0 seed 5\n", "line 1: unknown demo version 0"},
      {"# quorl demo 2 seed 5\n# set a = 1\n# set invert\n", "line 3: malformed setting"},
      {"# quorl demo 2 seed 5\n# set  = 1\n", "line 2: setting without a name"},
      {"# quorl demo 2 seed 5\n# set pad axis = 1\n", "line 2: setting name 'pad axis'"},
      {"# quorl demo seed 5\n", "line 1: malformed"},
      {"# quorl demo 1 seed -3\n", "line 1: malformed"},
      {"# quorl demo 1 seed 4294967296\n", "line 1: malformed"},
      {"# quorl demo 1 sed 5\n", "line 1: malformed"},
      {"# quorl demo 1 seed 5 more\n", "line 1: malformed"},
      {"# quorl demo 1 seed 5\n1 keydown nokey\n", "line 2: unknown key"},
  };
  for (const auto& [text, expected] : cases) {
    InputScript script;
    std::string error;
    EXPECT_EQ(-1, script.Parse(text, &error)) << text;
    EXPECT_NE(std::string::npos, error.find(expected)) << text << " -> " << error;
    EXPECT_TRUE(script.Events().empty());
  }
  // A frame's events all go into SDL's queue at once: one too many is refused at its line (a later
  // frame's event between them and screenshots do not count).
  std::string crowded = "6 keydown w\n";
  for (int i = 0; i < InputScript::MAX_FRAME_EVENTS; ++i) crowded += "5 mousemotion 1 0\n5 screenshot a.png\n";
  InputScript script;
  std::string error;
  EXPECT_EQ(0, script.Parse(crowded, &error)) << error;
  EXPECT_EQ(-1, script.Parse(crowded + "5 keyup w\n", &error));
  EXPECT_NE(std::string::npos, error.find("line 202: more than 100 input events in frame 5")) << error;
  EXPECT_EQ(-1, script.Load("no-such-script.txt", &error));
  EXPECT_NE(std::string::npos, error.find("no-such-script.txt"));
}

TEST(InputScript, AMotionBeyondTheWindowStopsAtItsEdge) {
  ScriptEvent motion;
  motion.kind = ScriptEvent::MOUSE_MOTION;
  motion.x = 40;
  motion.y = -500;
  const SDL_Event e = InputScript::ToSDLEvent(motion, ScreenFrame::Layout());
  EXPECT_EQ(440, e.motion.x);
  EXPECT_EQ(0, e.motion.y);
  EXPECT_EQ(-500, e.motion.yrel);
}

TEST(InputScript, DemoLinesRoundTripThroughTheWriterAndTheParser) {
  // Every event kind, keys of each naming family (letters, digits, names, f-keys, numbers), the pad
  // at its limits, and settings whose values hold blanks or nothing.
  const char* const text =
      "# quorl demo 2 seed 4294967295\n# set pad_fire = 5\n# set Walk2 = left shift\n# set x =\n"
      "1 keydown a\n1 keyup 7\n2 keydown escape\n2 keyup f12\n3 keydown key301\n3 keydown key127\n"
      "4 mousedown 3 0 599\n4 mouseup 1 799 0\n5 mousemotion -32768 32767\n6 screenshot x.png\n"
      "7 joyaxis 0 -32768\n7 joyaxis 15 32767\n7 joybutton down 31\n7 joybutton up 0\n"
      "8 joyhat 1 -1\n8 joyhat -1 1\n8 joyhat 0 0\n9 quit\n";
  InputScript script;
  std::string error;
  ASSERT_EQ(0, script.Parse(text, &error)) << error;
  EXPECT_TRUE(script.IsDemo());
  EXPECT_EQ(2, script.DemoVersion());
  EXPECT_EQ(4294967295u, script.DemoSeed());
  EXPECT_EQ(9, script.LastFrame());
  const InputScript::Settings settings = {{"pad_fire", "5"}, {"Walk2", "left shift"}, {"x", ""}};
  EXPECT_EQ(settings, script.DemoSettings());
  std::string written = InputScript::DemoHeader(script.DemoSeed(), script.DemoSettings()) + "\n";
  for (const ScriptEvent& e : script.Events()) written += InputScript::FormatEvent(e) + "\n";
  EXPECT_EQ(text, written);
  // The SDL events of the input kinds come back as the same lines, in the designed window and in a
  // full screen where clicks land on the scaled frame.
  for (const ScreenFrame::Layout& layout :
       {ScreenFrame::Layout(), ScreenFrame::MakeLayout(1920, 1080, ScreenFrame::SHARP, true)}) {
    for (const ScriptEvent& e : script.Events()) {
      if (e.kind == ScriptEvent::SCREENSHOT) continue;
      ScriptEvent back;
      ASSERT_TRUE(InputScript::FromSDLEvent(InputScript::ToSDLEvent(e, layout), e.frame, layout, &back))
          << InputScript::FormatEvent(e);
      EXPECT_EQ(InputScript::FormatEvent(e), InputScript::FormatEvent(back)) << layout.windowWidth;
    }
  }
  const SDL_Event click =
      InputScript::ToSDLEvent(script.Events()[6], ScreenFrame::MakeLayout(1920, 1080, ScreenFrame::SHARP, true));
  EXPECT_EQ(240, click.button.x);  // frame (0, 599): the area's left edge, its bottom row
  EXPECT_EQ(1079, click.button.y);
  // A hat's position is SDL's bit mask; the settings end at the first other line.
  EXPECT_EQ(SDL_HAT_RIGHTUP, InputScript::ToSDLEvent(script.Events()[14], ScreenFrame::Layout()).jhat.value);
  EXPECT_EQ(SDL_HAT_LEFTDOWN, InputScript::ToSDLEvent(script.Events()[15], ScreenFrame::Layout()).jhat.value);
  ASSERT_EQ(0, script.Parse("# quorl demo 2 seed 1\n# set a = 1\n\n# set b\n", &error)) << error;
  EXPECT_EQ(1u, script.DemoSettings().size());
  // Version 1 demos and plain scripts have no settings: a "# set" line is a comment.
  ASSERT_EQ(0, script.Parse("# quorl demo 1 seed 8\n# set a = 1\n# set b\n2 quit\n", &error)) << error;
  EXPECT_EQ(1, script.DemoVersion());
  EXPECT_EQ(8u, script.DemoSeed());
  EXPECT_TRUE(script.DemoSettings().empty());
  EXPECT_EQ(1u, script.Events().size());
  ASSERT_EQ(0, script.Parse("# just a comment\n# set b\n2 quit\n", &error));
  EXPECT_FALSE(script.IsDemo());
  EXPECT_EQ(0, script.DemoVersion());
}

TEST(InputScript, PointerWarpsAndWindowEventsAreNotRecorded) {
  SDL_Event e;
  memset(&e, 0, sizeof(e));
  ScriptEvent line;
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 400, e.motion.y = 300, e.motion.xrel = 12;  // put back to the centre
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line));
  e.motion.x = 12, e.motion.y = 90;  // the first motion, relative to the corner
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line));
  e.type = SDL_ACTIVEEVENT;
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line));
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_UNKNOWN;
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line));
  // Pad input a script cannot hold; any pad's own input is pad 0's.
  const std::pair<Uint8, int> pad[] = {{SDL_JOYAXISMOTION, 16}, {SDL_JOYBUTTONDOWN, 32}, {SDL_JOYBALLMOTION, 0},
                                       {SDL_JOYHATMOTION, 1}};
  for (const auto& [type, index] : pad) {
    memset(&e, 0, sizeof(e));
    e.type = type;
    e.jaxis.axis = e.jbutton.button = e.jhat.hat = static_cast<Uint8>(index);
    EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line)) << int(type);
  }
  e.jhat.hat = 0;
  e.jhat.value = SDL_HAT_LEFT | SDL_HAT_RIGHT;
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, ScreenFrame::Layout(), &line));
  e.jhat.which = 2;
  e.jhat.value = SDL_HAT_DOWN;
  ASSERT_TRUE(InputScript::FromSDLEvent(e, 3, ScreenFrame::Layout(), &line));
  EXPECT_EQ("3 joyhat 0 1", InputScript::FormatEvent(line));
  EXPECT_EQ(0, InputScript::ToSDLEvent(line, ScreenFrame::Layout()).jhat.which);
}
