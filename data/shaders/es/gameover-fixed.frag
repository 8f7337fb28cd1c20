#version 300 es
precision highp float;
out vec4 fragColour;
uniform sampler2D surface;
in vec2 texCoord;

void main() {
    vec4 colour = texture(surface, texCoord);
    fragColour = vec4(vec3(dot(colour.rgb, vec3(0.3, 0.59, 0.11))), colour.a);
}
