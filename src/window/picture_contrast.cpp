#include "window/picture_contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace trevalon {
namespace {

// The linear light of each channel value, so a pixel's luminance costs three
// lookups: a picture has thousands of pixels and each is tried several times.
const std::array<double, 256>& linear_table() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i) {
            const double value = i / 255.0;
            values[static_cast<std::size_t>(i)] =
                value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

double luminance_of(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const auto& linear = linear_table();
    return 0.2126 * linear[red] + 0.7152 * linear[green] + 0.0722 * linear[blue];
}

std::uint8_t mix(std::uint8_t from, std::uint8_t to, int step, int steps) {
    return static_cast<std::uint8_t>((from * (steps - step) + to * step + steps / 2) / steps);
}

}  // namespace

std::optional<Colour> picture_face(const Palette& palette) {
    if (palette.kind == PaletteKind::light)
        return std::nullopt;
    return palette.face;
}

Image legible_against(const Image& picture, Colour face, double ratio) {
    Image result = picture;
    if (!well_formed(result))
        return result;
    const double face_light = luminance_of(static_cast<std::uint8_t>(face & 0xFF),
                                           static_cast<std::uint8_t>((face >> 8) & 0xFF),
                                           static_cast<std::uint8_t>((face >> 16) & 0xFF));
    // Towards whichever end can stand further from the face; the luminance a
    // pixel needs on that side.
    const bool towards_white = (1.0 + 0.05) / (face_light + 0.05) >= (face_light + 0.05) / 0.05;
    const double needed =
        towards_white ? ratio * (face_light + 0.05) - 0.05 : (face_light + 0.05) / ratio - 0.05;
    const auto far_enough = [&](double light) {
        return towards_white ? light >= needed : light <= needed;
    };
    const std::uint8_t end = towards_white ? 255 : 0;
    // Mixed in 256 steps; the luminance grows with the step on the way to
    // white and falls on the way to black, so the least step is found by
    // halving.
    constexpr int kSteps = 256;
    for (std::size_t at = 0; at + 3 < result.rgba.size(); at += 4) {
        std::uint8_t* pixel = &result.rgba[at];
        if (pixel[3] == 0)
            continue;
        const double light = luminance_of(pixel[0], pixel[1], pixel[2]);
        const double contrast =
            (std::max(light, face_light) + 0.05) / (std::min(light, face_light) + 0.05);
        if (contrast >= ratio)
            continue;
        int low = 0;
        int high = kSteps;
        while (low + 1 < high) {
            const int step = (low + high) / 2;
            if (far_enough(luminance_of(mix(pixel[0], end, step, kSteps),
                                        mix(pixel[1], end, step, kSteps),
                                        mix(pixel[2], end, step, kSteps))))
                high = step;
            else
                low = step;
        }
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = mix(pixel[channel], end, high, kSteps);
    }
    return result;
}

}  // namespace trevalon
