#version 440
// The wall's picture made grey, washed in two colours and lit in one pass. Each step is drawn over the
// result of the one before as a layer of its own would be, with the pixel's coverage taken into account,
// so the gaps between the tiles take the wash as well.
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;

layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    // The wash runs from `washFrom` at the bottom left to `washTo` at the top right.
    vec4 washFrom;
    vec4 washTo;
    float washOpacity;
    // The light at the top right corner: `light` at `lightOpacity` in the corner, clear at `lightRadius`.
    vec4 light;
    float lightOpacity;
    float lightRadius;
    // The picture's size in pixels, for the gradients' geometry.
    vec2 size;
};
layout(binding = 1) uniform sampler2D picture;

const vec3 weights = vec3(0.3, 0.59, 0.11);

float lum(vec3 c) {
    return dot(c, weights);
}

// The colour `c` given the luminosity `l`, brought back into range around that luminosity.
vec3 withLum(vec3 c, float l) {
    c += l - lum(c);
    float m = lum(c);
    float lo = min(min(c.r, c.g), c.b);
    float hi = max(max(c.r, c.g), c.b);
    if (lo < 0.0) c = m + (c - m) * m / max(m - lo, 1e-5);
    if (hi > 1.0) c = m + (c - m) * (1.0 - m) / max(hi - m, 1e-5);
    return c;
}

void main() {
    vec4 p = texture(picture, qt_TexCoord0);
    float a = p.a;
    // Grey: the picture's own luminosity (premultiplied, so a partly covered pixel stays premultiplied).
    vec3 grey = vec3(lum(p.rgb));

    // The wash, in the colour mode: its hue and saturation, the grey's luminosity.
    vec2 px = qt_TexCoord0 * size;
    vec2 along = vec2(size.x, -size.y);
    float t = clamp(dot(px - vec2(0.0, size.y), along) / max(dot(along, along), 1.0), 0.0, 1.0);
    vec3 wash = mix(washFrom.rgb, washTo.rgb, t);
    vec3 greyStraight = a > 0.0 ? grey / a : vec3(0.0);
    vec3 washed = withLum(wash, lum(greyStraight));
    float s = washOpacity;
    vec3 c1 = s * (1.0 - a) * wash + s * a * washed + (1.0 - s) * grey;
    float a1 = s + a * (1.0 - s);

    // The light, in the screen mode: B + L − B·L, fading linearly from the corner to its radius.
    float g = lightOpacity * clamp(1.0 - length(px - vec2(size.x, 0.0)) / max(lightRadius, 1.0), 0.0, 1.0);
    vec3 c2 = g * (1.0 - a1) * light.rgb + g * (c1 + a1 * light.rgb - c1 * light.rgb) + (1.0 - g) * c1;
    float a2 = g + a1 * (1.0 - g);

    fragColor = vec4(c2, a2) * qt_Opacity;
}
