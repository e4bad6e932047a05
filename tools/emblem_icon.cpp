#include "tools/emblem_icon.h"

#include <algorithm>
#include <cmath>

namespace {

// The emblem in units of its own size: a ring with a dot in its middle, the
// sign of something sending all around. Proportions, not pixels, so every
// size shows the same picture.
constexpr double kOuterRadius = 0.47;
constexpr double kInnerRadius = 0.31;
constexpr double kDotRadius = 0.13;

// Each pixel is sampled on a 4x4 grid so that the edges are smooth at 16
// pixels as at 256.
constexpr int kSamples = 4;

struct Rgb {
    double r, g, b;
};

// The ring runs from a light blue at the top to a deep blue at the bottom;
// the dot is a warm orange that stays visible at 16 pixels.
constexpr Rgb kRingTop{86, 180, 240};
constexpr Rgb kRingBottom{18, 86, 170};
constexpr Rgb kDot{246, 160, 32};

enum class Part { None, Ring, Dot };

Part PartAt(double x, double y)
{
    double distance = std::hypot(x - 0.5, y - 0.5);
    if (distance <= kDotRadius)
        return Part::Dot;
    if (distance >= kInnerRadius && distance <= kOuterRadius)
        return Part::Ring;
    return Part::None;
}

std::uint8_t Channel(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int MaskStride(int size)
{
    return (size + 31) / 32 * 4;  // one bit a pixel, rows padded to 32 bits
}

std::uint32_t ImageBytes(int size)
{
    return 40 + static_cast<std::uint32_t>(size * size * 4 + MaskStride(size) * size);
}

// BITMAPINFOHEADER, colour rows bottom-up, then the AND mask rows bottom-up.
void PutImage(std::string& out, const EmblemImage& image)
{
    const int size = image.size;
    const auto colourBytes = static_cast<std::uint32_t>(size * size * 4);
    const auto maskBytes = static_cast<std::uint32_t>(MaskStride(size) * size);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(size), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(size * 2), 4);  // colour and mask
    PutLittleEndian(out, 1, 2);                                     // planes
    PutLittleEndian(out, 32, 2);                                    // bits a pixel
    PutLittleEndian(out, 0, 4);                                     // BI_RGB
    PutLittleEndian(out, colourBytes + maskBytes, 4);
    for (int i = 0; i < 4; ++i)
        PutLittleEndian(out, 0, 4);  // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = image.bgra.data() + y * size * 4;
        out.append(reinterpret_cast<const char*>(row), static_cast<size_t>(size) * 4);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(MaskStride(size)), '\0');
        for (int x = 0; x < size; ++x) {
            if (image.Alpha(x, y) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out += row;
    }
}

}  // namespace

EmblemImage DrawEmblem(int size)
{
    EmblemImage image;
    image.size = size;
    image.bgra.assign(static_cast<size_t>(size) * size * 4, 0);
    const double step = 1.0 / (size * kSamples);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{0, 0, 0};
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double u = (x * kSamples + sx + 0.5) * step;
                    double v = (y * kSamples + sy + 0.5) * step;
                    Part part = PartAt(u, v);
                    if (part == Part::None)
                        continue;
                    ++covered;
                    Rgb colour = kDot;
                    if (part == Part::Ring) {
                        double t =
                            std::clamp((v - (0.5 - kOuterRadius)) / (2 * kOuterRadius), 0.0, 1.0);
                        colour = {kRingTop.r + (kRingBottom.r - kRingTop.r) * t,
                                  kRingTop.g + (kRingBottom.g - kRingTop.g) * t,
                                  kRingTop.b + (kRingBottom.b - kRingTop.b) * t};
                    }
                    sum.r += colour.r;
                    sum.g += colour.g;
                    sum.b += colour.b;
                }
            }
            if (covered == 0)
                continue;  // fully transparent pixels stay all zero
            auto* pixel = &image.bgra[(static_cast<size_t>(y) * size + x) * 4];
            pixel[0] = Channel(sum.b / covered);
            pixel[1] = Channel(sum.g / covered);
            pixel[2] = Channel(sum.r / covered);
            pixel[3] = Channel(255.0 * covered / (kSamples * kSamples));
        }
    }
    return image;
}

std::string EmblemIconFile(const std::vector<int>& sizes)
{
    std::string out;
    const auto count = static_cast<std::uint32_t>(sizes.size());
    PutLittleEndian(out, 0, 2);  // reserved
    PutLittleEndian(out, 1, 2);  // an icon, not a cursor
    PutLittleEndian(out, count, 2);
    std::uint32_t offset = 6 + 16 * count;
    for (int size : sizes) {
        // A width or height of 256 does not fit the byte and is written as 0.
        const auto side = static_cast<std::uint32_t>(size >= 256 ? 0 : size);
        PutLittleEndian(out, side, 1);
        PutLittleEndian(out, side, 1);
        PutLittleEndian(out, 0, 1);  // no palette
        PutLittleEndian(out, 0, 1);
        PutLittleEndian(out, 1, 2);   // planes
        PutLittleEndian(out, 32, 2);  // bits a pixel
        PutLittleEndian(out, ImageBytes(size), 4);
        PutLittleEndian(out, offset, 4);
        offset += ImageBytes(size);
    }
    for (int size : sizes)
        PutImage(out, DrawEmblem(size));
    return out;
}
