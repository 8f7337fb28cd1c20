#pragma once

#include "math/mat4.h"

// A view matrix that every drawn object starts from and a projection the
// frame renderer uploads as "projMat". perspective and ortho write only six
// elements each, so callers reset the projection first.
class Camera {
public:
    void resetView();
    void resetProjection();
    void perspective(float fovYDegrees, float aspect, float nearZ, float farZ);
    void ortho(float left, float right, float bottom, float top, float nearZ, float farZ);
    // Overwrites the view.
    void lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                float upY, float upZ);

    const Mat4& view() const { return view_; }
    const Mat4& projection() const { return projection_; }

private:
    Mat4 view_;
    Mat4 projection_;
};
