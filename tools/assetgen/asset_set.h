#pragma once

#include <string>

// Writes every file the game reads to root + "/data/...", at the paths the
// game's loader uses. Returns false (after naming the file on standard error)
// when anything cannot be made or written; files written before stay.
bool writeAssetSet(const std::string& root);
