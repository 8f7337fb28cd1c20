#pragma once

#include "math/mat4.h"
#include "math/vec.h"

class Camera;
class Mesh;
class Texture;

// A drawable placement: a position, three angles in degrees and the links to
// what it is drawn with. The matrix operations post-multiply the model
// matrix, so the operation applied last acts first on the vertices. The
// links are owned by the Game; a Transform owns nothing.
class Transform {
public:
    // Note the argument order: mesh before texture.
    void init(float x, float y, float z, Mesh* meshLink, Texture* textureLink, Camera* cameraLink);

    void setMatrix(const Mat4& matrix) { modelMatrix = matrix; }
    void translate(float x, float y, float z) { modelMatrix.translate(x, y, z); }
    void rotateX(float radians) { modelMatrix.rotateX(radians); }
    void rotateY(float radians) { modelMatrix.rotateY(radians); }
    void rotateZ(float radians) { modelMatrix.rotateZ(radians); }
    void rotateAxis(float radians, float x, float y, float z) { modelMatrix.rotateAxis(radians, x, y, z); }
    void rotateAxisDegrees(float degrees, float x, float y, float z) {
        modelMatrix.rotateAxisDegrees(degrees, x, y, z);
    }
    void scale(float sx, float sy, float sz) { modelMatrix.scale(sx, sy, sz); }
    // modelMatrix := a * b; either may be the model matrix itself.
    void multiply(const Mat4& a, const Mat4& b) { ::multiply(modelMatrix, a, b); }

    // Angles are kept in degrees and only converted when a draw builds the matrix.
    void setAngleZ(float degrees) { angleZ = degrees; }
    float getAngleZ() const { return angleZ; }
    void setAngleX(float degrees) { angleX = degrees; }
    float getAngleX() const { return angleX; }
    void setAngleY(float degrees) { angleY = degrees; }
    float getAngleY() const { return angleY; }

    Vec3 position;
    // Working matrix of the current draw; after a draw it holds view * model.
    Mat4 modelMatrix;
    Texture* texture = nullptr;
    Mesh* mesh = nullptr;
    Camera* camera = nullptr;

protected:
    void resetAngles() { angleZ = angleX = angleY = 0.0f; }

    // Zero from construction on; init zeroes them again.
    float angleZ = 0.0f;  // heading
    float angleX = 0.0f;  // tilt
    float angleY = 0.0f;  // roll
};
