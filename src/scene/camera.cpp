#include "scene/camera.h"

void Camera::resetView() { view_.identity(); }

void Camera::resetProjection() { projection_.identity(); }

void Camera::perspective(float fovYDegrees, float aspect, float nearZ, float farZ) {
    projection_.perspective(fovYDegrees, aspect, nearZ, farZ);
}

void Camera::ortho(float left, float right, float bottom, float top, float nearZ, float farZ) {
    projection_.ortho(left, right, bottom, top, nearZ, farZ);
}

void Camera::lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ,
                    float upX, float upY, float upZ) {
    view_.lookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}
