#version 440
// The first pass of a soft shadow: the layer's coverage blurred across by a Gaussian, over a rectangle `pad`
// points larger than the layer on every side. Outside the layer counts as uncovered.
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec2 inner;      // the layer's size in points
    vec2 outer;      // this pass's size in points
    float pad;
    float reach;     // taps reach this many points either side
    float deviation; // of the Gaussian, in points
};
layout(binding = 1) uniform sampler2D source;

float coverage(vec2 at) {
    vec2 uv = at / inner;
    if (uv.x < 0.0 || uv.y < 0.0 || uv.x > 1.0 || uv.y > 1.0) return 0.0;
    return texture(source, uv).a;
}

void main() {
    vec2 at = qt_TexCoord0 * outer - vec2(pad);
    float sum = 0.0;
    float weights = 0.0;
    int taps = int(reach);
    for (int k = -taps; k <= taps; ++k) {
        float w = exp(-float(k * k) / (2.0 * deviation * deviation));
        sum += w * coverage(at + vec2(float(k), 0.0));
        weights += w;
    }
    fragColor = vec4(sum / weights);
}
