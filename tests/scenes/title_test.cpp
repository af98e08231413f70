// Tests of the title scene, driven by pushed events in a real OpenGL window.
#include "scenes/title.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "scenes/scenecontent.h"

namespace {

using TitleTest = scenetest::SceneTest;

TEST_F(TitleTest, MenuClicksFollowTheirRulesAndEscapeOrCloseQuits) {
  struct Case { bool canContinue; int button, x, y, result; bool useContinue; };
  const Case cases[] = {
      // New game without a save and continue with one: the demos click them.
      {false, 1, 600, 550, 1, false},  // nothing to continue
      {true, 1, 100, 550, 2, false},
      {true, 1, 400, 500, 2, true},    // the first column of continue, the first row of the menu
      {true, 1, 600, 499, 1, true},    // above the menu: continuing stays the default
      {true, 3, 100, 550, 1, true},    // other buttons
  };
  Title title;
  for (const Case& c : cases) {
    ASSERT_EQ(0, title.Init(800, 600, c.canContinue, false));
    testsupport::PushClick(c.button, c.x, c.y);
    EXPECT_EQ(c.result, title.Action(1)) << "button " << c.button << " at " << c.x << "," << c.y;
    EXPECT_EQ(c.useContinue, title.getUseContinue()) << "button " << c.button << " at " << c.x << "," << c.y;
  }
  // Escape quits at once, even after a menu click in the same frame.
  testsupport::PushClick(1, 100, 550);
  testsupport::PushKey(SDLK_ESCAPE, true);
  EXPECT_EQ(99, title.Action(1));
  testsupport::PushQuit();
  EXPECT_EQ(99, title.Action(1));
}

TEST_F(TitleTest, ArrowsAndThePadChooseEntriesAndTheOptionsScreenHandsBackItsChanges) {
  struct Case {
    bool canContinue;
    std::function<void()> input;
    int result, selected;
    bool useContinue, optionsOpen;
  };
  const auto keys = [](std::vector<SDLKey> list) {
    return [list] { for (SDLKey key : list) testsupport::PushKeyTap(key); };
  };
  const Case cases[] = {
      {true, keys({SDLK_DOWN}), 1, Title::CONTINUE, true, false},  // the first press shows the default
      {true, keys({SDLK_DOWN, SDLK_RETURN}), 2, Title::CONTINUE, true, false},
      {true, keys({SDLK_LEFT, SDLK_LEFT, SDLK_RETURN}), 2, Title::NEW_GAME, false, false},
      {false, [] { testsupport::PushPadHat(SDL_HAT_DOWN), testsupport::PushPadHat(0), testsupport::PushPadButtonTap(0); },
       2, Title::NEW_GAME, false, false},
      {false, keys({SDLK_RIGHT, SDLK_RIGHT, SDLK_RETURN}), 1, Title::OPTIONS, false, true},  // past continue
      {true, [] { testsupport::PushClick(1, 700, 30); }, 1, Title::NO_ENTRY, true, true},
  };
  Title title;
  Settings settings;
  int changes = 0;
  Settings after;
  title.SetSettings(&settings, [&](const Settings&, const Settings& changed) { ++changes, after = changed; });
  for (const Case& c : cases) {
    ASSERT_EQ(0, title.Init(800, 600, c.canContinue, false));
    c.input();
    EXPECT_EQ(c.result, title.Action(1)) << &c - cases;
    EXPECT_EQ(c.selected, title.getSelected()) << &c - cases;
    EXPECT_EQ(c.useContinue, title.getUseContinue()) << &c - cases;
    EXPECT_EQ(c.optionsOpen, title.OptionsOpen()) << &c - cases;
  }
  // The music three rows down, one step less; Escape leaves and hands the settings back.
  keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_LEFT, SDLK_ESCAPE})();
  EXPECT_EQ(1, title.Action(1));
  EXPECT_FALSE(title.OptionsOpen());
  EXPECT_EQ(1, changes);
  EXPECT_EQ(90, after.musicVolume);
}

TEST_F(TitleTest, FTogglesTheSpecialModeOnlyWhenUnlocked) {
  Title title;
  for (bool unlocked : {false, true}) {
    ASSERT_EQ(0, title.Init(800, 600, false, unlocked));
    for (bool want : {unlocked, false}) {  // on and off again
      testsupport::PushKeyTap(SDLK_f);
      EXPECT_EQ(1, title.Action(1));
      EXPECT_EQ(want, title.getUseSpMode()) << "unlocked " << unlocked;
    }
  }
}

TEST_F(TitleTest, LightPulsesUpAndDownInFiftyTwoFrames) {
  std::vector<int> want;  // 10, 20, ..., 250, then 255, 245, ..., 5, 0
  for (int a = 10; a <= 250; a += 10) want.push_back(a);
  for (int a = 255; a > -10; a -= 10) want.push_back(std::max(a, 0));
  Title title;
  ASSERT_EQ(0, title.Init(800, 600, false, false));
  for (size_t frame = 0; frame < 2 * want.size(); ++frame) {  // 52 frames a cycle
    title.Action(1);
    ASSERT_EQ(want[frame % want.size()], title.getLightAlpha()) << "frame " << frame;
  }
}

TEST_F(TitleTest, TheRecordsEntryOpensThePageAndLeavingItMarksTheNewRecordsSeen) {
  Records records;
  std::vector<std::string> fresh;
  int seen = 0;
  Title title;
  title.SetRecords(&records, &fresh, [&] { ++seen, fresh.clear(); });
  const auto keys = [](std::vector<SDLKey> list) {
    return [list] { for (SDLKey key : list) testsupport::PushKeyTap(key); };
  };
  // How the page is opened (the click on the entry, or the arrows past options), then left.
  const std::function<void()> opens[] = {[] { testsupport::PushClick(1, 550, 30); },
                                         keys({SDLK_RIGHT, SDLK_RIGHT, SDLK_RIGHT, SDLK_RETURN})};
  for (const auto& open : opens) {
    fresh = {"BEST RUN 1:00.00"};
    const int seenBefore = seen;
    ASSERT_EQ(0, title.Init(800, 600, false, false));
    const scenetest::Image named = scenetest::Shot([&] { EXPECT_EQ(1, title.Action(1)); });
    open();
    EXPECT_EQ(1, title.Action(1));
    EXPECT_TRUE(title.RecordsOpen()) << &open - opens;
    testsupport::PushKeyTap(SDLK_ESCAPE);  // leaves the page, not the title
    EXPECT_EQ(1, title.Action(1));
    EXPECT_FALSE(title.RecordsOpen());
    EXPECT_EQ(seenBefore + 1, seen);
    // The title named the new record (lettering over the plain stand-in art) until the page was seen.
    const scenetest::Image plain = scenetest::Shot([&] { EXPECT_EQ(1, title.Action(1)); });
    ASSERT_TRUE(named.IsWindow() && plain.IsWindow());
    int differ = 0;
    for (int x = 100; x < 700; ++x) differ += !scenetest::Close(named.at(x, 460), plain.at(x, 460));
    EXPECT_GT(differ, 20) << &open - opens;
  }
}

TEST_F(TitleTest, MissingContentFailsInitWithItsMessage) {
  const char* const cases[][2] = {
      {"img/QUORL-title.png", "Gamemain:Sight surface Load error\n"},
      {"img/QUORL-title-light.png", "Title:title light surface Load error\n"},
      {"img/fonts/new-game.png", "Title:title text img 1 Load error\n"},
      {"img/fonts/continue.png", "Title:title text img 2 Load error\n"},
      {"img/bullet_sp.png", "Title:title SpBullet load error\n"},
      {"img/fonts/options.png", "Title:title options entry load error\n"},
      {"img/fonts/records.png", "Title:title records entry load error\n"},
      {"SE/sp-bullet-get.wav", "Gamemain:SE Reload load error\n"},
      {"sounds/Quorl_title.mp3", "Gamemain:BGM Load Error:2\n"},
  };
  Title title;
  for (const auto& c : cases) {
    int result = 0;
    const std::string printed = PrintedWithout(c[0], [&] { result = title.Init(800, 600, true, true); });
    EXPECT_EQ(-1, result) << c[0];
    EXPECT_NE(std::string::npos, printed.find(c[1])) << c[0] << ": " << printed;
    title.Finalize();
  }
  EXPECT_EQ(0, title.Init(800, 600, true, true));  // everything was put back and released
}

}  // namespace
