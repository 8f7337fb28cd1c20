#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in vec3 eyeNormal;
const vec3 waterTint = vec3(0.85, 0.97, 1.0);

void main() {
    vec4 colour = texture(surface, texCoord);
    float sheen = 0.85 + 0.25 * abs(normalize(eyeNormal).z);
    fragColour = vec4(colour.rgb * waterTint * sheen, colour.a);
}
