#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Image files decoded into pixel blocks that glTexImage2D takes as they are:
// rows bottom-up, channels in the order the matching upload format names
// (see Texture::load). Each returns null when the file cannot be decoded and
// then, given an error string, says why in a few words.

using PixelBlock = std::unique_ptr<uint8_t[]>;

// No texture of the game comes near this, and drivers take little more:
// a larger image is refused before anything is allocated for it.
constexpr uint32_t MAX_IMAGE_SIDE = 8192;

// 24-bit uncompressed BMP, pixel data right after the 54 header bytes.
// Bytes B, G, R per pixel; each row keeps its padding to a multiple of 4,
// which matches GL's default unpack alignment. On failure width and height
// are set to 0.
PixelBlock loadBmp(const std::string& path, uint16_t& width, uint16_t& height, std::string* error = nullptr);

// The same BMP read as one stream of B, G, R triples (row padding is not
// skipped, so the width should be a multiple of 4), each widened to
// B, G, R, A with A = R: white becomes opaque, black fully transparent.
// On failure width and height are set to 0.
PixelBlock loadBmpWithAlpha(const std::string& path, uint16_t& width, uint16_t& height,
                            std::string* error = nullptr);

// Any PNG, converted to 8-bit R, G, B, A (missing alpha is opaque), rows
// flipped to bottom-up and tightly packed: width * height * 4 bytes.
// On failure width and height are left unchanged.
PixelBlock loadPng(const std::string& path, uint16_t& width, uint16_t& height, std::string* error = nullptr);
