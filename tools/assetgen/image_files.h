#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// Encoders for the two picture formats the game reads, and for the Windows
// game's icon. Each returns the whole file; nothing in them depends on the
// clock or the machine.

// 24-bit uncompressed BMP: 54-byte header, rows bottom-up as B, G, R padded to
// 4 bytes, image-size field filled. Alpha is dropped.
std::vector<uint8_t> encodeBmp(const Image& image);

// 8-bit RGBA PNG at compression level 9 with no time or text chunks. Returns
// an empty vector if libpng fails.
std::vector<uint8_t> encodePng(const Image& image);

// A Windows icon file holding these PNG files, each square and at most 256
// pixels wide, in the order given. Empty when one is not such a PNG.
std::vector<uint8_t> encodeIco(const std::vector<std::vector<uint8_t>>& pngs);

// Writes bytes to path, creating parent folders; prints the path on failure.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
