#include "scene/transform.h"

void Transform::init(float x, float y, float z, Mesh* meshLink, Texture* textureLink, Camera* cameraLink) {
    position = Vec3(x, y, z);
    mesh = meshLink;
    texture = textureLink;
    camera = cameraLink;
    resetAngles();
}
