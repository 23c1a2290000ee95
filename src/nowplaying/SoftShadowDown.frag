#version 440
// The second pass of a soft shadow: the first pass blurred down, in the shadow's colour and moved by its
// offset, with the layer itself drawn over it.
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec2 inner;
    vec2 outer;
    float pad;
    float reach;
    float deviation;
    vec4 shade;  // the shadow's colour
    vec2 offset; // how far the shadow is moved, in points
};
layout(binding = 1) uniform sampler2D source;
layout(binding = 2) uniform sampler2D across;

void main() {
    vec2 at = qt_TexCoord0 * outer;
    float sum = 0.0;
    float weights = 0.0;
    int taps = int(reach);
    for (int k = -taps; k <= taps; ++k) {
        float w = exp(-float(k * k) / (2.0 * deviation * deviation));
        vec2 from = (at - offset + vec2(0.0, float(k))) / outer;
        float a = (from.y < 0.0 || from.y > 1.0 || from.x < 0.0 || from.x > 1.0) ? 0.0 : texture(across, from).a;
        sum += w * a;
        weights += w;
    }
    // The colour premultiplied, as the scene graph blends.
    vec4 below = vec4(shade.rgb * shade.a, shade.a) * (sum / weights);
    vec2 uv = (at - vec2(pad)) / inner;
    vec4 over = (uv.x < 0.0 || uv.y < 0.0 || uv.x > 1.0 || uv.y > 1.0) ? vec4(0.0) : texture(source, uv);
    fragColor = (over + below * (1.0 - over.a)) * qt_Opacity;
}
