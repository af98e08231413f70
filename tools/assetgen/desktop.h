// The desktop entry and the icon sizes of the hicolor theme, named by the application id.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// The application id: the desktop entry's file name, the icon's name and the window class.
constexpr const char kDesktopId[] = "org.quorl.Quorl";

// The icon's sizes in pixels, smallest first; each is drawn from the recipe at that size.
const std::vector<int>& DesktopIconSizes();
// The icon of `size` pixels relative to the content folder ("desktop/icons/NxN/ID.png").
std::string DesktopIconPath(int size);
Canvas DesktopIcon(int size);

}  // namespace assetgen
