#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying float light;
const float bladeEdge = 0.5;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < bladeEdge) discard;
    gl_FragColor = vec4(colour.rgb * light, 1.0);
}
