// Tests of the scripted input format and its delivery.
#include <gtest/gtest.h>

#include <cstring>

#include "harness/inputscript.h"

TEST(InputScript, ParsesEveryEventKindInFrameOrder) {
  InputScript script;
  std::string error;
  ASSERT_EQ(0, script.Parse("# a demo\n"
                            "10 keydown w\n"
                            "\n"
                            "70 keyup w   # stop\n"
                            "12 mousedown 1 100 550\n"
                            "13 mouseup 3 100 550\n"
                            "20 mousemotion 40 -7\n"
                            "30 keydown escape\n"
                            "15 screenshot out.png\n"
                            "12 keydown f12\n"
                            "900 quit\n",
                            &error))
      << error;
  const std::vector<ScriptEvent>& e = script.Events();
  ASSERT_EQ(9u, e.size());
  std::vector<long> frames;
  for (const ScriptEvent& s : e) frames.push_back(s.frame);
  EXPECT_EQ((std::vector<long>{10, 12, 12, 13, 15, 20, 30, 70, 900}), frames);
  EXPECT_EQ(ScriptEvent::KEY_DOWN, e[0].kind);
  EXPECT_EQ(SDLK_w, e[0].key);
  EXPECT_EQ(ScriptEvent::MOUSE_DOWN, e[1].kind);  // same frame: file order kept
  EXPECT_EQ(SDLK_F12, e[2].key);
  EXPECT_EQ(3, e[3].button);
  EXPECT_EQ("out.png", e[4].path);
  EXPECT_EQ(-7, e[5].y);
  EXPECT_EQ(SDLK_ESCAPE, e[6].key);
  EXPECT_EQ(ScriptEvent::QUIT, e[8].kind);
  EXPECT_EQ(11, e[8].line);
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

TEST(InputScript, TakesEachFrameOnceAndSkipsFramesGoneBy) {
  InputScript script;
  std::string error;
  ASSERT_EQ(0, script.Parse("1 keydown a\n3 keydown b\n3 keyup b\n5 keyup a\n", &error));
  EXPECT_TRUE(script.TakeFrame(0).empty());
  EXPECT_EQ(1u, script.TakeFrame(1).size());
  EXPECT_TRUE(script.TakeFrame(1).empty());
  EXPECT_EQ(2u, script.TakeFrame(3).size());
  EXPECT_TRUE(script.TakeFrame(6).empty());  // frame 5 was never asked for: dropped
}

TEST(InputScript, EventsBecomeSDLEventsAroundTheWindowCentre) {
  ScriptEvent motion;
  motion.kind = ScriptEvent::MOUSE_MOTION;
  motion.x = 40;
  motion.y = -500;
  SDL_Event e = InputScript::ToSDLEvent(motion, 800, 600);
  EXPECT_EQ(SDL_MOUSEMOTION, e.type);
  EXPECT_EQ(40, e.motion.xrel);
  EXPECT_EQ(-500, e.motion.yrel);
  EXPECT_EQ(440, e.motion.x);
  EXPECT_EQ(0, e.motion.y);  // clamped at the window's top edge
  ScriptEvent click;
  click.kind = ScriptEvent::MOUSE_UP;
  click.button = 1;
  click.x = 100;
  click.y = 550;
  e = InputScript::ToSDLEvent(click, 800, 600);
  EXPECT_EQ(SDL_MOUSEBUTTONUP, e.type);
  EXPECT_EQ(SDL_RELEASED, e.button.state);
  EXPECT_EQ(550, e.button.y);
  ScriptEvent key;
  key.kind = ScriptEvent::KEY_DOWN;
  key.key = SDLK_ESCAPE;
  e = InputScript::ToSDLEvent(key, 800, 600);
  EXPECT_EQ(SDL_KEYDOWN, e.type);
  EXPECT_EQ(SDLK_ESCAPE, e.key.keysym.sym);
}

TEST(InputScript, DemoLinesRoundTripThroughTheWriterAndTheParser) {
  // Every event kind, and keys of each naming family (letters, digits, names, f-keys, numbers).
  const char* const text =
      "# quorl demo 1 seed 4294967295\n"
      "1 keydown a\n1 keyup 7\n2 keydown escape\n2 keyup f12\n3 keydown key301\n3 keydown key127\n"
      "4 mousedown 3 0 599\n4 mouseup 1 799 0\n5 mousemotion -32768 32767\n6 screenshot x.png\n9 quit\n";
  InputScript script;
  std::string error;
  ASSERT_EQ(0, script.Parse(text, &error)) << error;
  EXPECT_TRUE(script.IsDemo());
  EXPECT_EQ(4294967295u, script.DemoSeed());
  EXPECT_EQ(9, script.LastFrame());
  std::string written = InputScript::DemoHeader(script.DemoSeed()) + "\n";
  for (const ScriptEvent& e : script.Events()) written += InputScript::FormatEvent(e) + "\n";
  EXPECT_EQ(text, written);
  // The SDL events of the input kinds come back as the same lines.
  for (const ScriptEvent& e : script.Events()) {
    if (e.kind == ScriptEvent::SCREENSHOT) continue;
    ScriptEvent back;
    ASSERT_TRUE(InputScript::FromSDLEvent(InputScript::ToSDLEvent(e, 800, 600), e.frame, 800, 600, &back))
        << InputScript::FormatEvent(e);
    EXPECT_EQ(InputScript::FormatEvent(e), InputScript::FormatEvent(back));
  }
  // A plain script is no demo.
  ASSERT_EQ(0, script.Parse("# just a comment\n2 quit\n", &error));
  EXPECT_FALSE(script.IsDemo());
}

TEST(InputScript, DemoHeadersOfOtherVersionsOrMalformedAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"# quorl demo 2 seed 5\n1 quit\n", "line 1: unknown demo version 2"},
      {"# quorl demo seed 5\n", "line 1: malformed"},
      {"# quorl demo 1 seed\n", "line 1: malformed"},
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
  }
}

TEST(InputScript, PointerWarpsAndWindowEventsAreNotRecorded) {
  SDL_Event e;
  memset(&e, 0, sizeof(e));
  ScriptEvent line;
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 400, e.motion.y = 300, e.motion.xrel = 12;  // put back to the centre
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, 800, 600, &line));
  e.motion.x = 12, e.motion.y = 90;  // the first motion, relative to the corner
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, 800, 600, &line));
  e.type = SDL_ACTIVEEVENT;
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, 800, 600, &line));
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_UNKNOWN;
  EXPECT_FALSE(InputScript::FromSDLEvent(e, 1, 800, 600, &line));
}
