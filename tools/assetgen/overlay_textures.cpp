// Pictures with text: the lever hint, the controls help and the font atlas.
// The overlays are drawn over the scene through the overlay camera at about
// 110 pixels per unit, so the text is set large and bold to survive the
// minification.
#include <algorithm>
#include <vector>

#include "text.h"
#include "textures.h"

namespace {

const Colour panelColour = {0.03f, 0.10f, 0.15f, 0.74f};
const Colour panelRim = {0.55f, 0.85f, 0.95f, 0.60f};
const Colour keyTop = {0.93f, 0.94f, 0.96f, 1};
const Colour keySide = {0.52f, 0.55f, 0.60f, 1};
const Colour keyText = {0.10f, 0.11f, 0.15f, 1};
const Colour labelText = {1, 1, 1, 1};

// A dark rounded panel with a light rim, leaving a transparent margin.
void drawPanel(Image& image, float margin, float radius) {
    const float cx = image.width() / 2.0f, cy = image.height() / 2.0f;
    const float hw = cx - margin, hh = cy - margin;
    image.fillShape([&](float x, float y) { return roundedBoxDistance(x, y, cx, cy, hw, hh, radius); },
                    [&](float, float) { return panelRim; });
    image.fillShape(
        [&](float x, float y) {
            return roundedBoxDistance(x, y, cx, cy, hw - 3.0f, hh - 3.0f, radius - 3.0f);
        },
        [&](float, float) { return panelColour; });
}

constexpr float KEY_DEPTH = 6.0f;  // height of a keycap's visible side
constexpr int ARROW_TEXT_SIZE = 44;

// A keycap whose top face spans [left, left + width] x [top, top + height].
void drawKey(Image& image, TextRenderer& font, float left, float top, float width, float height,
             const std::u32string& label, int pixelSize) {
    const float cx = left + width / 2.0f;
    image.fillShape(
        [&](float x, float y) {
            return roundedBoxDistance(x, y, cx, top + height / 2.0f + KEY_DEPTH, width / 2.0f, height / 2.0f,
                                      10.0f);
        },
        [&](float, float) { return keySide; });
    image.fillShape(
        [&](float x, float y) {
            return roundedBoxDistance(x, y, cx, top + height / 2.0f, width / 2.0f, height / 2.0f, 10.0f);
        },
        [&](float, float y) { return shade(keyTop, 1.0f - 0.10f * (y - top) / height); });
    // Arrow glyphs are small for their size; set alone on a key they get more.
    if (label.size() == 1 && label[0] >= U'\u2190' && label[0] <= U'\u2193') pixelSize = ARROW_TEXT_SIZE;
    const int textWidth = font.measure(label, pixelSize);
    const int capHeight = font.capHeight(pixelSize);
    font.draw(image, label, static_cast<int>(cx) - textWidth / 2,
              static_cast<int>(top + height / 2.0f) + capHeight / 2, pixelSize, keyText);
}

// One entry of the controls help: keycaps and words in a line.
struct Piece {
    bool isKey;
    std::u32string text;
};
using Entry = std::vector<Piece>;

constexpr int KEY_HEIGHT = 62;
constexpr int KEY_TEXT_SIZE = 30;
constexpr int KEY_MIN_WIDTH = 62;
constexpr int KEY_PADDING = 30;
constexpr int PIECE_GAP = 12;
constexpr int WORD_TO_KEY_GAP = 26;  // a word followed by another key: keep them apart

int gapAfter(const Entry& entry, size_t i) {
    return !entry[i].isKey && entry[i + 1].isKey ? WORD_TO_KEY_GAP : PIECE_GAP;
}

int pieceWidth(TextRenderer& font, const Piece& piece, int labelSize) {
    if (piece.isKey) return std::max(KEY_MIN_WIDTH, font.measure(piece.text, KEY_TEXT_SIZE) + KEY_PADDING);
    return font.measure(piece.text, labelSize);
}

int entryWidth(TextRenderer& font, const Entry& entry, int labelSize) {
    int width = 0;
    for (size_t i = 0; i < entry.size(); ++i) {
        width += pieceWidth(font, entry[i], labelSize);
        if (i + 1 < entry.size()) width += gapAfter(entry, i);
    }
    return width;
}

void drawEntry(Image& image, TextRenderer& font, const Entry& entry, int left, int centreY, int labelSize) {
    int x = left;
    for (size_t i = 0; i < entry.size(); ++i) {
        const Piece& piece = entry[i];
        const int width = pieceWidth(font, piece, labelSize);
        if (piece.isKey) {
            drawKey(image, font, static_cast<float>(x),
                    static_cast<float>(centreY - KEY_HEIGHT / 2) - KEY_DEPTH / 2.0f,
                    static_cast<float>(width), static_cast<float>(KEY_HEIGHT), piece.text, KEY_TEXT_SIZE);
        } else {
            font.draw(image, piece.text, x, centreY + font.capHeight(labelSize) / 2, labelSize, labelText);
        }
        if (i + 1 < entry.size()) x += width + gapAfter(entry, i);
    }
}

}  // namespace

Image makeCtrlHint(TextRenderer& bold) {
    constexpr int size = 256;
    Image image(size, size, withAlpha(panelColour, 0.0f));
    drawPanel(image, 8.0f, 30.0f);
    drawKey(image, bold, 58.0f, 40.0f, 140.0f, 86.0f, U"Ctrl", 46);
    // The largest size at which the words fit the panel.
    const std::u32string words = U"pull lever";
    int pixelSize = 44;
    while (pixelSize > 16 && bold.measure(words, pixelSize) > size - 48) --pixelSize;
    const int width = bold.measure(words, pixelSize);
    bold.draw(image, words, (size - width) / 2, 198, pixelSize, labelText);
    return image;
}

Image makeControlsHelp(TextRenderer& bold) {
    constexpr int width = 1024;
    constexpr int height = 256;
    constexpr int SIDE_MARGIN = 44;
    constexpr int MINIMUM_ENTRY_GAP = 36;
    const std::vector<std::vector<Entry>> ROWS = {
        {{{true, U"Space"}, {false, U"swim"}},
         {{true, U"\u2190"}, {true, U"\u2192"}, {false, U"turn"}},
         {{true, U"\u2191"}, {false, U"dive"}, {true, U"\u2193"}, {false, U"rise"}}},
        {{{true, U"Ctrl"}, {false, U"pull a lever"}},
         {{true, U"F1"}, {false, U"this help"}},
         {{true, U"Esc"}, {false, U"pause"}}}};
    Image image(width, height, withAlpha(panelColour, 0.0f));
    drawPanel(image, 6.0f, 32.0f);

    // One label size for the whole picture: the largest at which every row fits.
    int labelSize = 42;
    auto fits = [&](int size) {
        for (const auto& row : ROWS) {
            int total = 0;
            for (const Entry& entry : row) total += entryWidth(bold, entry, size);
            total += MINIMUM_ENTRY_GAP * static_cast<int>(row.size() - 1);
            if (total > width - 2 * SIDE_MARGIN) return false;
        }
        return true;
    };
    while (labelSize > 16 && !fits(labelSize)) --labelSize;

    for (size_t r = 0; r < ROWS.size(); ++r) {
        const auto& row = ROWS[r];
        int contentWidth = 0;
        for (const Entry& entry : row) contentWidth += entryWidth(bold, entry, labelSize);
        // Spread the entries over the row with equal gaps.
        const int gap = (width - 2 * SIDE_MARGIN - contentWidth) / static_cast<int>(row.size() - 1);
        const int centreY = r == 0 ? height * 3 / 10 : height * 7 / 10;
        int x = SIDE_MARGIN;
        for (const Entry& entry : row) {
            drawEntry(image, bold, entry, x, centreY, labelSize);
            x += entryWidth(bold, entry, labelSize) + gap;
        }
    }
    return image;
}

Image makeFontAtlas(TextRenderer& mono) {
    // Printable ASCII from 32 to 126 in a 16 x 6 grid of 16-pixel cells; the
    // width is a multiple of 4, as the alpha-from-red loader needs.
    constexpr int CELL = 16;
    constexpr int COLUMNS = 16;
    constexpr int ROWS = 6;
    constexpr int pixelSize = 14;
    constexpr int BASELINE = 12;
    Image image(COLUMNS * CELL, ROWS * CELL, {0, 0, 0, 1});
    for (int code = 32; code < 127; ++code) {
        const int column = (code - 32) % COLUMNS, row = (code - 32) / COLUMNS;
        const std::u32string glyph(1, static_cast<char32_t>(code));
        const int advance = mono.measure(glyph, pixelSize);
        mono.draw(image, glyph, column * CELL + (CELL - advance) / 2, row * CELL + BASELINE, pixelSize,
                  {1, 1, 1, 1});
    }
    return image;
}
