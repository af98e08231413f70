// Tests of the screen frame's arithmetic: the centred 4:3 area, the render chosen, and clicks
// mapped between window and frame pixels.
#include "common/screenframe.h"

#include <gtest/gtest.h>

namespace {

using ScreenFrame::Area;
using ScreenFrame::MakeLayout;

TEST(ScreenFrame, TheAreaIsTheLargestCentred4By3AndClassicNeedsRoomForTheFrame) {
  struct Case {
    int width, height;
    Area area;
    bool classicKept;  // CLASSIC asked for is kept (the window holds 800 x 600 pixels)
  };
  const Case cases[] = {
      {800, 600, {0, 0, 800, 600}, true},          // the designed window: nothing scaled
      {1920, 1080, {240, 0, 1440, 1080}, true},    // bars left and right
      {3840, 2160, {480, 0, 2880, 2160}, true},    // 4K
      {1280, 1024, {0, 32, 1280, 960}, true},      // narrower than 4:3: bars above and below
      {1366, 768, {171, 0, 1024, 768}, true},      // an odd margin: the extra pixel on the right
      {1601, 1201, {0, 0, 1601, 1200}, true},      // one pixel too many each way
      {640, 480, {0, 0, 640, 480}, false},         // smaller than the frame: drawn sharp
      {1, 1, {0, 0, 1, 1}, false},
  };
  for (const Case& c : cases) {
    const ScreenFrame::Layout layout = MakeLayout(c.width, c.height, ScreenFrame::CLASSIC, true);
    EXPECT_EQ(c.area.x, layout.area.x) << c.width << "x" << c.height;
    EXPECT_EQ(c.area.y, layout.area.y) << c.width << "x" << c.height;
    EXPECT_EQ(c.area.w, layout.area.w) << c.width << "x" << c.height;
    EXPECT_EQ(c.area.h, layout.area.h) << c.width << "x" << c.height;
    EXPECT_EQ(c.classicKept ? ScreenFrame::CLASSIC : ScreenFrame::SHARP, layout.render) << c.width;
    EXPECT_EQ(c.classicKept && (c.width != 800 || c.height != 600), layout.CopiesFrame()) << c.width;
  }
}

TEST(ScreenFrame, EveryFramePixelHasAWindowPixelThatMapsBackAndTheBarsClampToTheEdges) {
  for (const auto& size : {std::make_pair(800, 600), std::make_pair(1920, 1080), std::make_pair(1366, 768),
                           std::make_pair(1280, 1024), std::make_pair(2561, 1440)}) {
    const ScreenFrame::Layout layout = MakeLayout(size.first, size.second, ScreenFrame::SHARP, true);
    for (int y = 0; y < ScreenFrame::FRAME_HEIGHT; y += 7) {
      for (int x = 0; x < ScreenFrame::FRAME_WIDTH; ++x) {
        int wx = 0, wy = 0, fx = 0, fy = 0;
        ScreenFrame::ToWindow(layout, x, y, &wx, &wy);
        ScreenFrame::ToFrame(layout, wx, wy, &fx, &fy);
        ASSERT_EQ(x, fx) << size.first << "x" << size.second << " at " << x << "," << y;
        ASSERT_EQ(y, fy) << size.first << "x" << size.second << " at " << x << "," << y;
      }
    }
    int fx = 0, fy = 0;
    ScreenFrame::ToFrame(layout, 0, 0, &fx, &fy);  // in a bar: the frame's nearest edge
    EXPECT_EQ(0, fx);
    EXPECT_EQ(0, fy);
    ScreenFrame::ToFrame(layout, size.first - 1, size.second - 1, &fx, &fy);
    EXPECT_EQ(ScreenFrame::FRAME_WIDTH - 1, fx);
    EXPECT_EQ(ScreenFrame::FRAME_HEIGHT - 1, fy);
  }
}

}  // namespace
