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

// Names the folder to write renderings into instead of comparing them; set
// only by the update-golden build target (tests/support/update_golden.sh).
constexpr const char* GOLDEN_REWRITE_VARIABLE = "MIRELO_UPDATE_GOLDEN";

// Compares a rendering with the expected PNG under tests/golden/. On a
// mismatch the actual image is written beside the build for a look. With
// GOLDEN_REWRITE_VARIABLE set it writes the rendering into that folder and
// fails: a run that rewrites goldens never passes.
::testing::AssertionResult matchesGolden(const RgbaImage& actual, const std::string& name);
