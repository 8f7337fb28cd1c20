#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// An 8-bit RGBA image, top row first.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

bool readPng(const std::string& path, RgbaImage& image);
bool writePng(const std::string& path, const RgbaImage& image);

// Share of pixels (0..1) whose channels all lie within tolerance of the
// expected image; 0 when the sizes differ.
double matchingShare(const RgbaImage& actual, const RgbaImage& expected, int tolerance);

// Compares a rendering with the expected PNG under tests/golden/. With
// MIRELO_UPDATE_GOLDEN=1 in the environment the expected file is rewritten
// instead. On a mismatch the actual image is written beside the build for a look.
::testing::AssertionResult matchesGolden(const RgbaImage& actual, const std::string& name);
