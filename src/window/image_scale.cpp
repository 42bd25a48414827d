#include "window/image_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trevalon {
namespace {

// For one axis: which source pixels each target pixel covers, and how much.
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> spans(int source, int target) {
    std::vector<Span> result(static_cast<std::size_t>(target));
    const double step = static_cast<double>(source) / target;
    for (int t = 0; t < target; ++t) {
        const double begin = t * step;
        const double end = (t + 1) * step;
        Span& span = result[static_cast<std::size_t>(t)];
        span.first = static_cast<int>(std::floor(begin));
        for (int s = span.first; s < source && s < end; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            span.weights.push_back(std::max(0.0, covered));
        }
    }
    return result;
}

std::uint8_t to_byte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Image scale_image(const Image& image, int width, int height) {
    if (!well_formed(image) || width <= 0 || height <= 0 || width > kMaxImageSide ||
        height > kMaxImageSide) {
        return {};
    }
    if (width == image.width && height == image.height)
        return image;
    const std::vector<Span> columns = spans(image.width, width);
    const std::vector<Span> rows = spans(image.height, height);
    Image scaled(width, height);
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Span& column = columns[static_cast<std::size_t>(x)];
            double area = 0;
            double alpha = 0;
            double colour[3] = {0, 0, 0};
            for (std::size_t j = 0; j < row.weights.size(); ++j) {
                for (std::size_t i = 0; i < column.weights.size(); ++i) {
                    const double weight = row.weights[j] * column.weights[i];
                    const std::uint8_t* source = image.pixel(column.first + static_cast<int>(i),
                                                             row.first + static_cast<int>(j));
                    const double a = weight * source[3];
                    for (int c = 0; c < 3; ++c)
                        colour[c] += a * source[c];
                    alpha += a;
                    area += weight;
                }
            }
            std::uint8_t* target = scaled.pixel(x, y);
            for (int c = 0; c < 3; ++c)
                target[c] = alpha > 0 ? to_byte(colour[c] / alpha) : 0;
            target[3] = area > 0 ? to_byte(alpha / area) : 0;
        }
    }
    return scaled;
}

}  // namespace trevalon
