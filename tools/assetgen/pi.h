#pragma once

// Pi in the precision each generator computes in: the pictures and meshes in
// float, the sounds in double.
constexpr float PI_FLOAT = 3.14159265358979f;
constexpr double PI = 3.14159265358979323846;
