#version 120
uniform sampler2D surface;
varying vec2 texCoord;

void main() {
    vec4 colour = texture2D(surface, texCoord);
    gl_FragColor = vec4(vec3(dot(colour.rgb, vec3(0.3, 0.59, 0.11))), colour.a);
}
