#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

TextRenderer::~TextRenderer() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
}

bool TextRenderer::open(const std::string& fontPath) {
    if (!library_ && FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
        std::fprintf(stderr, "assetgen: FreeType could not start (needed for %s)\n", fontPath.c_str());
        return false;
    }
    if (FT_New_Face(library_, fontPath.c_str(), 0, &face_) != 0) {
        face_ = nullptr;
        std::fprintf(stderr, "assetgen: could not open the font %s\n", fontPath.c_str());
        return false;
    }
    return true;
}

bool TextRenderer::setSize(int pixelSize) {
    return face_ && FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) == 0;
}

int TextRenderer::measure(const std::u32string& text, int pixelSize) {
    if (!setSize(pixelSize)) return 0;
    long width = 0;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face_, c);
        if (previous && glyph) {
            FT_Vector kerning;
            if (FT_Get_Kerning(face_, previous, glyph, FT_KERNING_DEFAULT, &kerning) == 0) width += kerning.x;
        }
        if (FT_Load_Glyph(face_, glyph, FT_LOAD_DEFAULT) == 0) width += face_->glyph->advance.x;
        previous = glyph;
    }
    return static_cast<int>(width >> 6);
}

int TextRenderer::capHeight(int pixelSize) {
    if (!setSize(pixelSize)) return 0;
    const FT_UInt glyph = FT_Get_Char_Index(face_, U'H');
    if (FT_Load_Glyph(face_, glyph, FT_LOAD_DEFAULT) != 0) return pixelSize * 3 / 4;
    return static_cast<int>(face_->glyph->metrics.horiBearingY >> 6);
}

void TextRenderer::draw(Image& image, const std::u32string& text, int x, int baselineY, int pixelSize,
                        const Colour& colour) {
    if (!setSize(pixelSize)) return;
    long pen = static_cast<long>(x) << 6;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face_, c);
        if (previous && glyph) {
            FT_Vector kerning;
            if (FT_Get_Kerning(face_, previous, glyph, FT_KERNING_DEFAULT, &kerning) == 0) pen += kerning.x;
        }
        previous = glyph;
        if (FT_Load_Glyph(face_, glyph, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        // Grey-scale rendering always gives one byte per pixel, rows top-down.
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.pitch >= 0) {
            const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
            const int top = baselineY - slot->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
                for (unsigned col = 0; col < bitmap.width; ++col) {
                    const float coverage = static_cast<float>(line[col]) / 255.0f;
                    if (coverage > 0.0f)
                        image.blend(left + static_cast<int>(col), top + static_cast<int>(row), colour,
                                    coverage);
                }
            }
        }
        pen += slot->advance.x;
    }
}
