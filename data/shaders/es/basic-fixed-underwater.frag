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
const vec3 deepWater = vec3(0.04, 0.22, 0.30);
const vec3 waterTint = vec3(0.72, 0.93, 1.0);
const float fogDistance = 90.0;

float caustics(vec3 p) {
    vec3 q = p * 0.32;
    float a = sin(q.x + 1.7 * sin(q.y * 0.9 + q.z * 0.6));
    float b = sin(q.z * 1.2 - 1.3 * sin(q.x * 0.8 - q.y * 0.5));
    return a * b;
}

void main() {
    vec4 colour = texture(surface, texCoord);
    if (colour.a < cutOut) discard;
    float light = lighting() * (1.0 + 0.14 * caustics(eyePosition));
    vec3 lit = colour.rgb * light * waterTint;
    float depth = length(eyePosition) / fogDistance;
    float fog = 1.0 - exp(-depth * depth);
    fragColour = vec4(mix(lit, deepWater, fog), colour.a);
}
