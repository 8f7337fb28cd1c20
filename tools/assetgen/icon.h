#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// The game's icon: the gold key across a tile of the water it lies in, the
// same picture at every size (drawn at four times the size and averaged down,
// so small sizes stay smooth rather than speckled).
Image makeIcon(int size);

// Writes root + "/icons/": mirelo-<size>.png at each size the desktops and
// the web page ask for, and mirelo.ico for the Windows game. Returns false
// (after naming the file on standard error) when one cannot be made.
bool writeIconSet(const std::string& root);
