#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec3 eyeNormal;
const vec3 waterTint = vec3(0.85, 0.97, 1.0);

void main() {
    vec4 colour = texture2D(surface, texCoord);
    float sheen = 0.85 + 0.25 * abs(normalize(eyeNormal).z);
    gl_FragColor = vec4(colour.rgb * waterTint * sheen, colour.a);
}
