#pragma once

#include "image.h"

class TextRenderer;

// Every picture of the asset set. Each function is deterministic: the same
// call gives the same pixels.

// Pixel art drawn with nearest filtering (pixel_art_textures.cpp).
Image makeStoneWall();   // wall.bmp, repeats; carries the swimmer's colours
Image makeGoldWall();    // wallGold.bmp
Image makeWoodPlanks();  // wood.bmp, repeats
Image makeLeverMetal();  // lever.bmp
Image makeDoor();        // door.bmp
Image makeBlackPixel();  // blackpixel.bmp

// Large surfaces and cut-outs (surface_textures.cpp).
Image makeSeaFloor();      // grass.png: one copy covers the 100 x 100 floor
Image makeFloorTiles();    // carrelage.png: likewise
Image makeCliffRock();     // cliff.png
Image makeWaterSurface();  // water.png, semi-transparent
Image makeSeaweedBlade();  // seaweed.png, cut out by alpha

// Keys and locks, by KeyColour: red 0, green 1, blue 2, gold 3 (item_textures.cpp).
Image makeKey(int keyColour);  // KEY_WIDTH x KEY_HEIGHT, ring at the top
constexpr int KEY_WIDTH = 64;
constexpr int KEY_HEIGHT = 128;
// Where paintKey puts the key picture's centre in an image, how many image
// pixels one of its pixels spans, and its turn in radians (clockwise, as
// the image's y grows downwards).
struct KeyPlacement {
    float x, y, scale, angle;
};
// The key of makeKey drawn into an image at any size and turn (the icon).
void paintKey(Image& image, int keyColour, const KeyPlacement& at);
Image makeLock(int keyColour);

// Overlays and the font atlas, with text from FreeType (overlay_textures.cpp).
Image makeCtrlHint(TextRenderer& bold);
Image makeControlsHelp(TextRenderer& bold);
Image makeFontAtlas(TextRenderer& mono);
