#version 300 es
precision highp float;
in vec3 inVertex;
in vec2 inTexCoord;
in vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
uniform vec3 offset;
out vec2 texCoord;
out float light;
const vec3 lightDirection = vec3(0.218, 0.436, 0.873);
const float ambient = 0.45;
const float diffuse = 0.65;
const float bladeHeight = 8.0;

void main() {
    vec3 swayed = inVertex + offset * (inVertex.z / bladeHeight);
    vec3 normal = normalize(mat3(mvMat) * inNormal);
    light = min(1.0, ambient + diffuse * abs(dot(normal, lightDirection)));
    texCoord = inTexCoord;
    gl_Position = projMat * (mvMat * vec4(swayed, 1.0));
}
