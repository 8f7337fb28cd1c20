#include "math/mat4.h"

#include <cmath>

#include "math/vec.h"

namespace {

void postMultiply(Mat4& m, const Mat4& x) { multiply(m, m, x); }

Vec3 normalised(const Vec3& v) {
    Vec3 r = v;
    scaleInPlace(r, 1.0f / std::sqrt(dot(v, v)));
    return r;
}

}  // namespace

void multiply(Mat4& dest, const Mat4& a, const Mat4& b) {
    float t[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + r] * b.m[c * 4 + k];
            t[c * 4 + r] = sum;
        }
    }
    for (int i = 0; i < 16; ++i) dest.m[i] = t[i];
}

void Mat4::identity() { *this = Mat4(); }

// The builders below post-multiply by a matrix that differs from the
// identity in a few columns, so only those columns of this one change. Each
// sum keeps multiply's order of terms, less the terms it multiplies by zero,
// so the results are the same floats as the full product.

void Mat4::translate(float x, float y, float z) {
    for (int r = 0; r < 4; ++r) m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

namespace {

// Columns i and j := (ci, cj) * [[c, -s], [s, c]] rows as multiply would sum
// them: the new column i is ci * c + cj * s, the new column j ci * -s + cj * c.
void turnColumns(float* m, int i, int j, float c, float s) {
    for (int r = 0; r < 4; ++r) {
        const float a = m[i * 4 + r], b = m[j * 4 + r];
        m[i * 4 + r] = a * c + b * s;
        m[j * 4 + r] = a * -s + b * c;
    }
}

}  // namespace

void Mat4::rotateX(float radians) { turnColumns(m, 1, 2, std::cos(radians), std::sin(radians)); }

// About Y the sine's sign is the other way round: column 0 is c0 * c + c2 * -s.
void Mat4::rotateY(float radians) { turnColumns(m, 0, 2, std::cos(radians), -std::sin(radians)); }

void Mat4::rotateZ(float radians) { turnColumns(m, 0, 1, std::cos(radians), std::sin(radians)); }

void Mat4::rotateAxis(float radians, float x, float y, float z) {
    const float c = std::cos(radians), s = std::sin(radians), t = 1.0f - c;
    Mat4 r;
    r.m[0] = x * x * t + c;
    r.m[1] = x * t * y + s * z;
    r.m[2] = x * t * z - y * s;
    r.m[3] = 0.0f;
    r.m[4] = x * t * y - s * z;
    r.m[5] = c + t * y * y;
    r.m[6] = z * t * y + x * s;
    r.m[7] = 0.0f;
    r.m[8] = x * t * z + y * s;
    r.m[9] = z * t * y - x * s;
    r.m[10] = c + t * z * z;
    r.m[11] = 0.0f;
    postMultiply(*this, r);
}

void Mat4::rotateAxisDegrees(float degrees, float x, float y, float z) {
    rotateAxis(toRadians(degrees), x, y, z);
}

void Mat4::scale(float sx, float sy, float sz) {
    for (int r = 0; r < 4; ++r) {
        m[r] *= sx;
        m[4 + r] *= sy;
        m[8 + r] *= sz;
    }
}

void Mat4::perspective(float fovYDegrees, float aspect, float nearZ, float farZ) {
    const float half = toRadians(fovYDegrees / 2.0f);
    const float depth = farZ - nearZ;
    const float s = std::sin(half);
    if (depth == 0.0f || s == 0.0f || aspect == 0.0f) return;
    const float f = std::cos(half) / s;
    m[0] = f / aspect;
    m[5] = f;
    m[10] = -(farZ + nearZ) / depth;
    m[11] = -1.0f;
    m[14] = (nearZ * -2.0f) * farZ / depth;
    m[15] = 0.0f;
}

void Mat4::ortho(float left, float right, float bottom, float top, float nearZ, float farZ) {
    m[0] = 2.0f / (right - left);
    m[5] = 2.0f / (top - bottom);
    m[10] = 1.0f / (nearZ - farZ);
    m[14] = nearZ / (nearZ - farZ);
    m[12] = 0.0f;
    m[13] = 0.0f;
}

void Mat4::lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                  float upY, float upZ) {
    const Vec3 f = normalised(Vec3(centreX - eyeX, centreY - eyeY, centreZ - eyeZ));
    const Vec3 s = normalised(cross(f, Vec3(upX, upY, upZ)));
    const Vec3 u = normalised(cross(s, f));

    Mat4 r;
    r.m[0] = s.x;
    r.m[4] = s.y;
    r.m[8] = s.z;
    r.m[1] = u.x;
    r.m[5] = u.y;
    r.m[9] = u.z;
    r.m[2] = -f.x;
    r.m[6] = -f.y;
    r.m[10] = -f.z;

    Mat4 t;
    t.m[12] = -eyeX;
    t.m[13] = -eyeY;
    t.m[14] = -eyeZ;
    multiply(*this, r, t);
}
