#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// The game's icon: the gold key across a tile of the water it lies in, the
// same picture at every size (drawn at four times the size and averaged down,
// so small sizes stay smooth rather than speckled).
Image makeIcon(int size);

// A Windows icon file holding these PNG files, each square and at most 256
// pixels wide, in the order given. Empty when one is not such a PNG.
std::vector<uint8_t> encodeIco(const std::vector<std::vector<uint8_t>>& pngs);

// Writes root + "/icons/": mirelo-<size>.png at each size the desktops and
// the web page ask for, and mirelo.ico for the Windows game. Returns false
// (after naming the file on standard error) when one cannot be made.
bool writeIconSet(const std::string& root);
