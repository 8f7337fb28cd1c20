#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
uniform float ratio;
in vec2 texCoord;

void main() {
    vec4 colour = texture(surface, texCoord);
    fragColour = vec4(colour.rgb, colour.a * ratio);
}
