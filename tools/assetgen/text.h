#pragma once

#include <string>

#include "image.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

// Text drawn with FreeType from one TrueType file, at generation time only:
// the game itself never rasterises text. Fixed settings (grey-scale
// anti-aliasing, default hinting, integer pixel sizes) give the same pixels on
// every run.
class TextRenderer {
public:
    TextRenderer() = default;
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Prints the path and returns false when the font cannot be opened.
    bool open(const std::string& fontPath);

    // Advance width in pixels of the UTF-32 text at the given pixel size.
    int measure(const std::u32string& text, int pixelSize);
    // Height above the baseline of capital letters at that size.
    int capHeight(int pixelSize);
    // Draws the text with its baseline at y and its pen starting at x.
    void draw(Image& image, const std::u32string& text, int x, int baselineY, int pixelSize,
              const Colour& colour);

private:
    bool setSize(int pixelSize);

    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
};
