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
constexpr int ARROW_TEXT_SIZE = 40;

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

// The controller's buttons, drawn dark so that they stand apart from the
// light keycaps: face buttons in their usual colours with a white letter,
// the small buttons and the shoulder as pills, the D-pad as a cross and the
// left stick as a cap in its well.
const Colour padBody = {0.20f, 0.22f, 0.26f, 1};
const Colour padRim = {0.09f, 0.10f, 0.12f, 1};
const Colour padText = {0.95f, 0.96f, 0.98f, 1};
const Colour padLit = {0.93f, 0.94f, 0.96f, 1};
const Colour buttonA = {0.30f, 0.68f, 0.22f, 1};
const Colour buttonX = {0.18f, 0.45f, 0.88f, 1};
const Colour buttonY = {0.90f, 0.68f, 0.10f, 1};

// What a piece of an entry is: a keycap, a word, or a controller part.
enum class PieceKind { KEY, WORD, FACE_BUTTON, PILL_BUTTON, DPAD, STICK };

// D-pad arms to light up, as the arrow keys beside it.
enum DpadArm : unsigned { ARM_LEFT = 1, ARM_RIGHT = 2, ARM_UP = 4, ARM_DOWN = 8 };

// One entry of the controls help: keycaps, controller parts and words in a line.
struct Piece {
    PieceKind kind;
    std::u32string text;
    Colour colour = padBody;  // a face button's
    unsigned arms = 0;        // a D-pad's lit arms
};
using Entry = std::vector<Piece>;

Piece key(const std::u32string& text) { return {PieceKind::KEY, text}; }
Piece word(const std::u32string& text) { return {PieceKind::WORD, text}; }
Piece face(const std::u32string& letter, const Colour& colour) {
    return {PieceKind::FACE_BUTTON, letter, colour};
}
Piece pill(const std::u32string& text) { return {PieceKind::PILL_BUTTON, text}; }
Piece dpad(unsigned arms) { return {PieceKind::DPAD, U"", padBody, arms}; }
Piece stick() { return {PieceKind::STICK, U"L"}; }

// Three rows in the 256-pixel panel: keys a little lower than the lever
// hint's, text as large as every row allows.
constexpr int KEY_HEIGHT = 54;
constexpr int KEY_TEXT_SIZE = 28;
constexpr int PAD_TEXT_SIZE = 26;
constexpr int KEY_MIN_WIDTH = 56;
constexpr int KEY_PADDING = 28;
constexpr int PILL_PADDING = 30;
constexpr int PIECE_GAP = 10;
constexpr int WORD_TO_KEY_GAP = 24;  // a word followed by another key: keep them apart

int gapAfter(const Entry& entry, size_t i) {
    return entry[i].kind == PieceKind::WORD && entry[i + 1].kind != PieceKind::WORD ? WORD_TO_KEY_GAP
                                                                                    : PIECE_GAP;
}

int pieceWidth(TextRenderer& font, const Piece& piece, int labelSize) {
    switch (piece.kind) {
        case PieceKind::KEY:
            return std::max(KEY_MIN_WIDTH, font.measure(piece.text, KEY_TEXT_SIZE) + KEY_PADDING);
        case PieceKind::WORD: return font.measure(piece.text, labelSize);
        case PieceKind::PILL_BUTTON:
            return std::max(KEY_HEIGHT, font.measure(piece.text, PAD_TEXT_SIZE) + PILL_PADDING);
        default: return KEY_HEIGHT;
    }
}

// Text centred on (cx, cy) by its capital height.
void drawCentred(Image& image, TextRenderer& font, const std::u32string& text, float cx, float cy, int size,
                 const Colour& colour) {
    font.draw(image, text, static_cast<int>(cx) - font.measure(text, size) / 2,
              static_cast<int>(cy) + font.capHeight(size) / 2, size, colour);
}

// A controller part whose box spans [left, left + width] around centreY.
void drawPadPiece(Image& image, TextRenderer& font, const Piece& piece, float left, float width,
                  float centreY) {
    const float cx = left + width / 2.0f, r = KEY_HEIGHT / 2.0f;
    switch (piece.kind) {
        case PieceKind::FACE_BUTTON:
            image.fillShape([&](float x, float y) { return circleDistance(x, y, cx, centreY, r); },
                            [&](float, float) { return padRim; });
            image.fillShape([&](float x, float y) { return circleDistance(x, y, cx, centreY, r - 3.0f); },
                            [&](float, float y) {
                                return shade(piece.colour, 1.1f - 0.25f * (y - centreY + r) / KEY_HEIGHT);
                            });
            drawCentred(image, font, piece.text, cx, centreY, KEY_TEXT_SIZE + 2, padText);
            break;
        case PieceKind::PILL_BUTTON: {
            const float halfHeight = r * 0.78f;
            image.fillShape(
                [&](float x, float y) {
                    return roundedBoxDistance(x, y, cx, centreY, width / 2.0f, halfHeight, halfHeight);
                },
                [&](float, float) { return padRim; });
            image.fillShape(
                [&](float x, float y) {
                    return roundedBoxDistance(x, y, cx, centreY, width / 2.0f - 3.0f, halfHeight - 3.0f,
                                              halfHeight - 3.0f);
                },
                [&](float, float) { return padBody; });
            drawCentred(image, font, piece.text, cx, centreY, PAD_TEXT_SIZE, padText);
            break;
        }
        case PieceKind::DPAD: {
            const float arm = r * 0.36f;  // half the width of an arm
            auto cross = [&](float x, float y, float inset) {
                return std::min(roundedBoxDistance(x, y, cx, centreY, r - inset, arm - inset, 4.0f),
                                roundedBoxDistance(x, y, cx, centreY, arm - inset, r - inset, 4.0f));
            };
            auto lit = [&](float x, float y) {
                const bool left = x<cx - arm, right = x> cx + arm,
                           up = y<centreY - arm, down = y> centreY + arm;
                return ((piece.arms & ARM_LEFT) && left) || ((piece.arms & ARM_RIGHT) && right) ||
                       ((piece.arms & ARM_UP) && up) || ((piece.arms & ARM_DOWN) && down);
            };
            image.fillShape([&](float x, float y) { return cross(x, y, 0.0f); },
                            [&](float, float) { return padRim; });
            image.fillShape([&](float x, float y) { return cross(x, y, 3.0f); },
                            [&](float x, float y) { return lit(x, y) ? padLit : padBody; });
            break;
        }
        case PieceKind::STICK:
            image.fillShape([&](float x, float y) { return circleDistance(x, y, cx, centreY, r); },
                            [&](float, float) { return padRim; });
            image.fillShape([&](float x, float y) { return circleDistance(x, y, cx, centreY, r - 3.0f); },
                            [&](float, float) { return shade(padBody, 0.7f); });
            image.fillShape(
                [&](float x, float y) { return circleDistance(x, y, cx, centreY, r * 0.66f); },
                [&](float, float y) { return shade(padBody, 1.5f - 0.5f * (y - centreY + r) / KEY_HEIGHT); });
            drawCentred(image, font, piece.text, cx, centreY, PAD_TEXT_SIZE, padText);
            break;
        default: break;
    }
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
        if (piece.kind == PieceKind::KEY) {
            drawKey(image, font, static_cast<float>(x),
                    static_cast<float>(centreY - KEY_HEIGHT / 2) - KEY_DEPTH / 2.0f,
                    static_cast<float>(width), static_cast<float>(KEY_HEIGHT), piece.text, KEY_TEXT_SIZE);
        } else if (piece.kind == PieceKind::WORD) {
            font.draw(image, piece.text, x, centreY + font.capHeight(labelSize) / 2, labelSize, labelText);
        } else {
            drawPadPiece(image, font, piece, static_cast<float>(x), static_cast<float>(width),
                         static_cast<float>(centreY));
        }
        if (i + 1 < entry.size()) x += width + gapAfter(entry, i);
    }
}

}  // namespace

// The key over the controller's two buttons for the same pull, then the words.
Image makeCtrlHint(TextRenderer& bold) {
    constexpr int size = 256;
    Image image(size, size, withAlpha(panelColour, 0.0f));
    drawPanel(image, 8.0f, 30.0f);
    drawKey(image, bold, 68.0f, 26.0f, 120.0f, 70.0f, U"Ctrl", 40);
    const Entry buttons = {face(U"X", buttonX), pill(U"RB")};
    const int buttonsWidth = entryWidth(bold, buttons, PAD_TEXT_SIZE);
    drawEntry(image, bold, buttons, (size - buttonsWidth) / 2, 140, PAD_TEXT_SIZE);
    // The largest size at which the words fit the panel.
    const std::u32string words = U"pull lever";
    int pixelSize = 40;
    while (pixelSize > 16 && bold.measure(words, pixelSize) > size - 48) --pixelSize;
    const int width = bold.measure(words, pixelSize);
    bold.draw(image, words, (size - width) / 2, 214, pixelSize, labelText);
    return image;
}

// Each key with the controller's button for the same thing beside it; the
// D-pad with the arms lit that the arrow keys beside it stand for, and the
// left stick, which steers as the D-pad does.
Image makeControlsHelp(TextRenderer& bold) {
    constexpr int width = 1024;
    constexpr int height = 256;
    constexpr int SIDE_MARGIN = 40;
    constexpr int MINIMUM_ENTRY_GAP = 30;
    // Rows this far apart leave the panel's rim clear above and below.
    constexpr int ROW_PITCH = 76;
    const std::vector<std::vector<Entry>> ROWS = {
        {{key(U"Space"), face(U"A", buttonA), word(U"swim")},
         {key(U"Ctrl"), face(U"X", buttonX), pill(U"RB"), word(U"pull a lever")},
         {key(U"M"), face(U"Y", buttonY), word(U"mute")}},
        {{key(U"\u2190"), key(U"\u2192"), dpad(ARM_LEFT | ARM_RIGHT), word(U"turn")},
         {key(U"\u2191"), dpad(ARM_UP), word(U"dive")},
         {key(U"\u2193"), dpad(ARM_DOWN), word(U"rise")}},
        {{key(U"F1"), pill(U"Back"), word(U"this help")},
         {key(U"Esc"), pill(U"Start"), word(U"pause")},
         {stick(), word(U"="), dpad(ARM_LEFT | ARM_RIGHT | ARM_UP | ARM_DOWN)}}};
    Image image(width, height, withAlpha(panelColour, 0.0f));
    drawPanel(image, 6.0f, 32.0f);

    // One label size for the whole picture: the largest at which every row fits.
    int labelSize = 40;
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
        const int centreY = height / 2 + (static_cast<int>(r) - 1) * ROW_PITCH;
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
