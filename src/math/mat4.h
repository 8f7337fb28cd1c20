#pragma once

#include "math/angles.h"

// A 4x4 float matrix, column-major (element = column * 4 + row), handed to
// OpenGL untransposed. Every builder post-multiplies: M := M * X, so the
// operation applied last acts first on the vertices.
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
    const float* data() const { return m; }

    void identity();
    void translate(float x, float y, float z);
    void rotateX(float radians);
    void rotateY(float radians);
    void rotateZ(float radians);
    // The axis is used as given; a non-unit axis scales as well as rotates.
    void rotateAxis(float radians, float x, float y, float z);
    void rotateAxisDegrees(float degrees, float x, float y, float z);
    void scale(float sx, float sy, float sz);
    // Writes only elements 0, 5, 10, 11, 14, 15; keeps the matrix when
    // far == near, the half angle has zero sine, or aspect == 0.
    void perspective(float fovYDegrees, float aspect, float nearZ, float farZ);
    // Writes elements 0, 5, 10, 12, 13, 14; the box is not re-centred and
    // depth maps near -> 0, far -> 1.
    void ortho(float left, float right, float bottom, float top, float nearZ, float farZ);
    // Overwrites the whole matrix with a view matrix.
    void lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                float upY, float upZ);
};

// dest := a * b. All sixteen results go to a temporary first, so dest may be a or b.
void multiply(Mat4& dest, const Mat4& a, const Mat4& b);
