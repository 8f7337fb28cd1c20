#pragma once

#include "mesh_builder.h"

// Places in the pictures that the meshes point their texture coordinates at.
// Pictures are laid out top row first here; texture v runs from the bottom.

// Texture coordinate of the centre of pixel (x, y) in a width x height picture.
constexpr Uv texelCentre(int x, int y, int width, int height) {
    return {(static_cast<float>(x) + 0.5f) / static_cast<float>(width),
            1.0f - (static_cast<float>(y) + 0.5f) / static_cast<float>(height)};
}

// wall.bmp: stone bricks with a small mosaic inlay of four 2 x 2 pixel
// colours. The swimmer is drawn with this texture and takes its colours from
// the inlay (nearest filtering keeps each part one flat colour).
constexpr int WALL_SIZE = 64;
constexpr int MOSAIC_LEFT = 46;  // first pixel of the 4 x 4 colour cells
constexpr int MOSAIC_TOP = 31;
constexpr Uv mosaicUv(int cellX, int cellY) {
    return texelCentre(MOSAIC_LEFT + 2 * cellX, MOSAIC_TOP + 2 * cellY, WALL_SIZE, WALL_SIZE);
}
constexpr Uv SWIMMER_SKIN_UV = mosaicUv(0, 0);
constexpr Uv SWIMMER_SUIT_UV = mosaicUv(1, 0);
constexpr Uv SWIMMER_CAP_UV = mosaicUv(0, 1);
constexpr Uv SWIMMER_FIN_UV = mosaicUv(1, 1);

// lever.bmp: brushed steel on the left half (the bar), a red grip on the right
// half (the knob).
constexpr int LEVER_SIZE = 32;
constexpr UvRect LEVER_BAR_RECT = {1.0f / 32, 0.0f, 15.0f / 32, 1.0f};
constexpr Uv LEVER_KNOB_UV = texelCentre(24, 16, LEVER_SIZE, LEVER_SIZE);

// door.bmp: planks in an iron frame with two iron bands. The frame is wider
// than the strip the leaf's narrow faces use, and the socket of a lever is
// dressed in the lower band.
constexpr int DOOR_WIDTH = 160;
constexpr int DOOR_HEIGHT = 112;
constexpr int DOOR_FRAME = 6;
constexpr int DOOR_BAND_HEIGHT = 12;
constexpr int DOOR_UPPER_BAND_TOP = 22;
constexpr int DOOR_LOWER_BAND_TOP = 78;
constexpr float EDGE_STRIP = 0.03f;  // narrow faces of door leaves and locks
constexpr UvRect LEVER_SOCKET_RECT = {
    0.0f, 1.0f - static_cast<float>(DOOR_LOWER_BAND_TOP + DOOR_BAND_HEIGHT - 1) / DOOR_HEIGHT, 1.0f,
    1.0f - static_cast<float>(DOOR_LOWER_BAND_TOP + 1) / DOOR_HEIGHT};

// The lock pictures share the door leaf mesh; their plate border is wider
// than EDGE_STRIP too.
constexpr int LOCK_SIZE = 128;
constexpr int LOCK_BORDER = 8;

// Seaweed: the blade picture is as wide as the mesh blade at its root.
constexpr float SEAWEED_HEIGHT = 8.0f;
constexpr float SEAWEED_HALF_WIDTH = 0.6f;
