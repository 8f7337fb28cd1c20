#pragma once

#include <cstdint>

// Smooth value noise in [0, 1] that repeats every `period` lattice cells in
// both directions, so textures built from it tile without seams.
float valueNoise(float x, float y, int period, uint32_t seed);

// Sum of `octaves` layers of valueNoise, each twice as fine and half as strong;
// x and y are in units of the coarsest cell. Result in [0, 1].
float fractalNoise(float x, float y, int period, int octaves, uint32_t seed);
