#pragma once

#include <cstdint>

// What WebGL 2 (OpenGL ES 3.0) lacks of the texture formats and wrap modes
// the game uses, and the nearest it has. Texture::upload and Texture::setWrap
// call these on an ES context (Renderer::flavour); they are plain functions
// so that the desktop tests can check them.

// WebGL takes no blue-first pixels: GL_BGR becomes GL_RGB and GL_BGRA
// GL_RGBA, once the bytes are put in that order (swapRedAndBlue). Any other
// format is returned as it is.
uint32_t webglPixelFormat(uint32_t format);

// Swaps the first and third byte of every pixel of a block of the given
// format (GL_BGR or GL_BGRA) in place, turning it into the order
// webglPixelFormat names; rows are padded to a multiple of 4 bytes, GL's
// default unpack alignment, as the BMP decoders leave them. Other formats are
// left as they are.
void swapRedAndBlue(uint8_t* pixels, uint32_t format, int width, int height);

// WebGL has no GL_CLAMP_TO_BORDER; GL_CLAMP_TO_EDGE is the nearest (the edge
// texels instead of the border colour). Every other mode is returned as it is.
int32_t webglWrapMode(int32_t mode);
