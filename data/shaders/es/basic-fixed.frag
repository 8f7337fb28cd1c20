#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;
in vec3 eyeNormal;
in vec3 eyePosition;
const vec3 lightDirection = vec3(0.218, 0.436, 0.873);
const float ambient = 0.45;
const float diffuse = 0.65;
const float cutOut = 0.05;

float lighting() {
    vec3 normal = normalize(eyeNormal);
    return min(1.0, ambient + diffuse * max(dot(normal, lightDirection), 0.0));
}

void main() {
    vec4 colour = texture(surface, texCoord);
    if (colour.a < cutOut) discard;
    fragColour = vec4(colour.rgb * lighting(), colour.a);
}
