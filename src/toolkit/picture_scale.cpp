#include "toolkit/picture_scale.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace orv::ui {

Size FitInside(Size picture, Size box) {
    if (picture.width <= 0 || picture.height <= 0 || box.width <= 0 || box.height <= 0) {
        return {0, 0};
    }
    if (picture.width <= box.width && picture.height <= box.height) return picture;
    // Compare the two ratios in integers: the side that overflows most decides.
    const long long wide = static_cast<long long>(picture.width) * box.height;
    const long long tall = static_cast<long long>(picture.height) * box.width;
    Size fitted;
    if (wide >= tall) {
        fitted.width = box.width;
        fitted.height = static_cast<int>((static_cast<long long>(picture.height) * box.width +
                                          picture.width / 2) / picture.width);
    } else {
        fitted.height = box.height;
        fitted.width = static_cast<int>((static_cast<long long>(picture.width) * box.height +
                                         picture.height / 2) / picture.height);
    }
    fitted.width = std::clamp(fitted.width, 1, box.width);
    fitted.height = std::clamp(fitted.height, 1, box.height);
    return fitted;
}

namespace {

// One output sample covers [start, end) of the source axis; the weights are
// the covered length of each source sample, scaled so they sum to 65536.
struct Span {
    int first = 0;
    std::vector<std::uint32_t> weights;
};

std::vector<Span> AxisSpans(int sourceLength, int targetLength) {
    std::vector<Span> spans(static_cast<std::size_t>(targetLength));
    for (int t = 0; t < targetLength; ++t) {
        // In units of 1/targetLength source samples, so everything is integer.
        const long long start = static_cast<long long>(t) * sourceLength;
        const long long end = start + sourceLength;
        Span& span = spans[static_cast<std::size_t>(t)];
        span.first = static_cast<int>(start / targetLength);
        const int last = static_cast<int>((end - 1) / targetLength);
        std::uint32_t assigned = 0;
        for (int s = span.first; s <= last; ++s) {
            const long long from = std::max<long long>(start, static_cast<long long>(s) * targetLength);
            const long long to = std::min<long long>(end, static_cast<long long>(s + 1) * targetLength);
            const auto weight = static_cast<std::uint32_t>(((to - from) << 16) / sourceLength);
            span.weights.push_back(weight);
            assigned += weight;
        }
        // Rounding leftovers go to the first sample so the sum is exact.
        if (!span.weights.empty()) span.weights.front() += 65536u - assigned;
    }
    return spans;
}

using Channels = std::array<std::uint64_t, 4>;

void Accumulate(Channels& sum, std::uint32_t pixel, std::uint64_t weight) {
    sum[0] += ((pixel >> 24) & 0xFF) * weight;
    sum[1] += ((pixel >> 16) & 0xFF) * weight;
    sum[2] += ((pixel >> 8) & 0xFF) * weight;
    sum[3] += (pixel & 0xFF) * weight;
}

}  // namespace

Bitmap32 ScaleDown(const Bitmap32& source, Size target) {
    if (target.width <= 0 || target.height <= 0 || source.width <= 0 || source.height <= 0 ||
        source.pixels.size() != static_cast<std::size_t>(source.width) * source.height) {
        return {};
    }
    if (target.width == source.width && target.height == source.height) return source;

    const std::vector<Span> columns = AxisSpans(source.width, target.width);
    const std::vector<Span> rows = AxisSpans(source.height, target.height);

    Bitmap32 out;
    out.width = target.width;
    out.height = target.height;
    out.pixels.resize(static_cast<std::size_t>(target.width) * target.height);
    for (int y = 0; y < target.height; ++y) {
        const Span& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < target.width; ++x) {
            const Span& column = columns[static_cast<std::size_t>(x)];
            Channels sum{};
            for (std::size_t j = 0; j < row.weights.size(); ++j) {
                const std::uint32_t* line =
                    source.pixels.data() + static_cast<std::size_t>(row.first + static_cast<int>(j)) * source.width;
                for (std::size_t i = 0; i < column.weights.size(); ++i) {
                    const std::uint64_t weight =
                        static_cast<std::uint64_t>(row.weights[j]) * column.weights[i];
                    Accumulate(sum, line[column.first + static_cast<int>(i)], weight);
                }
            }
            // Weights sum to 2^32; round to nearest.
            std::uint32_t pixel = 0;
            for (std::uint64_t channel : sum) {
                pixel = (pixel << 8) | static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                           255, (channel + (1ull << 31)) >> 32));
            }
            out.pixels[static_cast<std::size_t>(y) * target.width + x] = pixel;
        }
    }
    return out;
}

}  // namespace orv::ui
