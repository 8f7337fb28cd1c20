#pragma once

#include <optional>
#include <string>

// The input script of the designed course for mirelo-headless, as
// tests/playthrough/course.keys holds it: the autopilot plays the game with
// the real rules at the runner's default frame time, every key change
// becomes a script line, and at each leg's end the progress of the game is
// written as a "# check FRAMES EXPR" line for the state dump after that
// many frames. Nothing when the autopilot does not finish the course.
std::optional<std::string> courseScript();
