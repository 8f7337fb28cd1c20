#pragma once

#include <string>

// Reads a whole file into text. On failure returns false and describes why
// (open or read error) in `error`; the caller adds the path to its message.
bool readFileContents(const std::string& path, std::string& contents, std::string& error);
