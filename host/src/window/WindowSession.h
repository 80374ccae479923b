#pragma once
#include <string>

namespace rvhost::window {

// rvhost --window: shows the main window on the display with the active view, the sculpt
// panel and a status line, prints "// Window: view X Y W H" once the view is on screen, and
// runs until the window closes (Ctrl+Q or the window's close button). Then `onClose` runs
// as script text. False when that text failed.
bool runWindow(const std::string& onClose);

} // namespace rvhost::window
