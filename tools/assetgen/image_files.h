#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// Encoders for the two picture formats the game reads. Both return the whole
// file; nothing in them depends on the clock or the machine.

// 24-bit uncompressed BMP: 54-byte header, rows bottom-up as B, G, R padded to
// 4 bytes, image-size field filled. Alpha is dropped.
std::vector<uint8_t> encodeBmp(const Image& image);

// 8-bit RGBA PNG at compression level 9 with no time or text chunks. Returns
// an empty vector if libpng fails.
std::vector<uint8_t> encodePng(const Image& image);

// Writes bytes to path, creating parent folders; prints the path on failure.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
