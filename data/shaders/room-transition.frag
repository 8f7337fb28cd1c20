#version 120
uniform sampler2D surface;
uniform float ratio;
varying vec2 texCoord;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(colour.rgb, colour.a * ratio);
}
