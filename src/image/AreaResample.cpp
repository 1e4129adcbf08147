#include "image/AreaResample.h"

#include <algorithm>
#include <vector>

namespace {

struct Tap {
    int index;
    float weight;
};

// For each target pixel along one axis, the source pixels it covers and by how
// much. Target pixel t spans [t, t + 1) * sourceDpi / targetDpi in source units.
std::vector<std::vector<Tap>> Taps(int targetStart, int count, int sourceOrigin, int sourceSize, int sourceDpi,
                                   int targetDpi)
{
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(count));
    const double step = static_cast<double>(sourceDpi) / targetDpi;
    for (int t = 0; t < count; ++t) {
        const double from = (targetStart + t) * step - sourceOrigin;
        const double to = from + step;
        std::vector<Tap>& row = taps[static_cast<size_t>(t)];
        for (int s = static_cast<int>(from >= 0 ? from : from - 1); s < to; ++s) {
            const double covered = std::min<double>(to, s + 1) - std::max<double>(from, s);
            if (covered <= 1e-9)
                continue;
            const int clamped = std::clamp(s, 0, sourceSize - 1);
            row.push_back(Tap{clamped, static_cast<float>(covered / step)});
        }
    }
    return taps;
}

}  // namespace

void AreaResample::Into(const RECT& target, PLDIBSection& picture) const
{
    const int width = std::max(0L, target.right - target.left);
    const int height = std::max(0L, target.bottom - target.top);
    PLDIBSection result;
    result.Create(std::max(width, 1), std::max(height, 1), 32);
    if (!source || source->IsEmpty() || width == 0 || height == 0) {
        picture = std::move(result);
        return;
    }
    const int sourceWidth = source->Width();
    const int sourceHeight = source->Height();
    const auto columns = Taps(target.left, width, sourceOrigin.x, sourceWidth, sourceDpi, targetDpi);
    const auto rows = Taps(target.top, height, sourceOrigin.y, sourceHeight, sourceDpi, targetDpi);
    const BYTE keyBlue = GetBValue(key), keyGreen = GetGValue(key), keyRed = GetRValue(key);

    // Each source row reduced to the target's columns: blue, green, red times
    // coverage, and the coverage by pixels that are not holes.
    std::vector<float> across(static_cast<size_t>(width) * 4 * sourceHeight);
    for (int y = 0; y < sourceHeight; ++y) {
        const BYTE* row = source->Row(y);
        float* out = &across[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x, out += 4) {
            for (const Tap& tap : columns[static_cast<size_t>(x)]) {
                BYTE blue, green, red;
                if (source->BitsPerPixel() == 8) {
                    blue = green = red = row[tap.index];
                } else {
                    const BYTE* pixel = row + tap.index * 4;
                    blue = pixel[0], green = pixel[1], red = pixel[2];
                }
                if (hasKey && blue == keyBlue && green == keyGreen && red == keyRed)
                    continue;
                out[0] += blue * tap.weight;
                out[1] += green * tap.weight;
                out[2] += red * tap.weight;
                out[3] += tap.weight;
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        BYTE* pixel = result.Row(y);
        for (int x = 0; x < width; ++x, pixel += 4) {
            float sum[4] = {};
            for (const Tap& tap : rows[static_cast<size_t>(y)]) {
                const float* in = &across[(static_cast<size_t>(tap.index) * width + x) * 4];
                for (int c = 0; c < 4; ++c)
                    sum[c] += in[c] * tap.weight;
            }
            if (hasKey && sum[3] < 0.5f) {
                pixel[0] = keyBlue, pixel[1] = keyGreen, pixel[2] = keyRed;
            } else {
                for (int c = 0; c < 3; ++c)
                    pixel[c] = static_cast<BYTE>(std::clamp(sum[c] / sum[3] + 0.5f, 0.0f, 255.0f));
            }
            pixel[3] = 0;
        }
    }
    picture = std::move(result);
}
