#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec2 shade;
const float cutOut = 0.05;
const vec3 rimColour = vec3(1.0, 0.96, 0.84);

void main() {
    vec4 colour = texture2D(surface, texCoord);
    if (colour.a < cutOut) discard;
    gl_FragColor = vec4(colour.rgb * shade.x + rimColour * shade.y, colour.a);
}
