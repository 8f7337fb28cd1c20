#pragma once

#include <string>

// Reads the current GL frame buffer and writes it as an 8-bit RGBA PNG, top
// row first. Returns false (with a message on standard error) on failure.
bool writeScreenshot(const std::string& path, int width, int height);
