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
constexpr int wallSize = 64;
constexpr int mosaicLeft = 46;  // first pixel of the 4 x 4 colour cells
constexpr int mosaicTop = 31;
constexpr Uv mosaicUv(int cellX, int cellY) {
    return texelCentre(mosaicLeft + 2 * cellX, mosaicTop + 2 * cellY, wallSize, wallSize);
}
constexpr Uv swimmerSkinUv = mosaicUv(0, 0);
constexpr Uv swimmerSuitUv = mosaicUv(1, 0);
constexpr Uv swimmerCapUv = mosaicUv(0, 1);
constexpr Uv swimmerFinUv = mosaicUv(1, 1);

// lever.bmp: brushed steel on the left half (the bar), a red grip on the right
// half (the knob).
constexpr int leverSize = 32;
constexpr UvRect leverBarRect = {1.0f / 32, 0.0f, 15.0f / 32, 1.0f};
constexpr Uv leverKnobUv = texelCentre(24, 16, leverSize, leverSize);

// door.bmp: planks in an iron frame with two iron bands. The frame is wider
// than the strip the leaf's narrow faces use, and the socket of a lever is
// dressed in the lower band.
constexpr int doorWidth = 160;
constexpr int doorHeight = 112;
constexpr int doorFrame = 6;
constexpr int doorBandHeight = 12;
constexpr int doorUpperBandTop = 22;
constexpr int doorLowerBandTop = 78;
constexpr float edgeStrip = 0.03f;  // narrow faces of door leaves and locks
constexpr UvRect leverSocketRect = {
    0.0f, 1.0f - static_cast<float>(doorLowerBandTop + doorBandHeight - 1) / doorHeight, 1.0f,
    1.0f - static_cast<float>(doorLowerBandTop + 1) / doorHeight};

// The lock pictures share the door leaf mesh; their plate border is wider
// than edgeStrip too.
constexpr int lockSize = 128;
constexpr int lockBorder = 8;

// Seaweed: the blade picture is as wide as the mesh blade at its root.
constexpr float seaweedHeight = 8.0f;
constexpr float seaweedHalfWidth = 0.6f;
