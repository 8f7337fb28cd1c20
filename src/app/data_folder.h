#pragma once

#include <string>
#include <vector>

// The game reads "data/..." relative to the working directory. A player may
// start it from anywhere (a menu entry, a shortcut, another folder), so the
// desktop entry points call this before anything is loaded: when the working
// directory holds no data/ folder, it changes to the first of `folders` (the
// seam's platform::dataFolders()) that does. When none does, it names every
// place it looked on standard error and stays where it is, so that the game's
// load fails as it always has. Returns whether data/ is reachable.
bool enterDataFolder(const std::vector<std::string>& folders);
