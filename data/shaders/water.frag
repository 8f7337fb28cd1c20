#version 120
uniform sampler2D surface;
varying vec2 texCoord;
varying vec3 tint;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(colour.rgb * tint, colour.a);
}
