#include "tools/emblem_icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

const std::vector<int> kPictureSizes = {128};
const std::vector<int> kProgramIconSizes = {256, 128, 96, 72, 64, 48, 32, 24, 16};

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot open " << path;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t Little(const std::string& bytes, size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

struct CheckedInIcon {
    const char* path;
    const std::vector<int>& sizes;
};

const CheckedInIcon kCheckedIn[] = {
    {"ui/picture.ico", kPictureSizes},
    {"app/zarvik.ico", kProgramIconSizes},
};

}  // namespace

TEST(EmblemIcon, CheckedInFilesAreWhatTheGeneratorMakes)
{
    for (const CheckedInIcon& icon : kCheckedIn) {
        SCOPED_TRACE(icon.path);
        std::string checkedIn = ReadFile(std::string(ZARVIK_SOURCE_DIR) + "/" + icon.path);
        // Not EXPECT_EQ: a mismatch would print tens of kilobytes.
        EXPECT_TRUE(checkedIn == EmblemIconFile(icon.sizes))
            << "regenerate it with: emblem_icon " << icon.path << " <sizes>";
    }
}

TEST(EmblemIcon, PictureIsOne128PixelBitmapOf67646Bytes)
{
    std::string file = ReadFile(std::string(ZARVIK_SOURCE_DIR) + "/ui/picture.ico");
    ASSERT_EQ(file.size(), 67646u);
}

// Every image: a directory entry that matches it, a 40-byte BITMAPINFOHEADER
// (a PNG would start with 89 50 4E 47), 32 bits a pixel, uncompressed, twice
// the height for colour and mask, images packed one after the other.
TEST(EmblemIcon, EveryImageIsA32BitBitmapWithMaskInTheGivenOrder)
{
    for (const CheckedInIcon& icon : kCheckedIn) {
        SCOPED_TRACE(icon.path);
        std::string file = ReadFile(std::string(ZARVIK_SOURCE_DIR) + "/" + icon.path);
        ASSERT_GE(file.size(), 6u);
        EXPECT_EQ(Little(file, 0, 2), 0u);
        EXPECT_EQ(Little(file, 2, 2), 1u);  // an icon, not a cursor
        ASSERT_EQ(Little(file, 4, 2), icon.sizes.size());

        std::uint32_t expectedOffset = 6 + 16 * static_cast<std::uint32_t>(icon.sizes.size());
        for (size_t i = 0; i < icon.sizes.size(); ++i) {
            const int size = icon.sizes[i];
            SCOPED_TRACE(size);
            const size_t entry = 6 + 16 * i;
            EXPECT_EQ(Little(file, entry, 1), size == 256 ? 0u : static_cast<unsigned>(size));
            EXPECT_EQ(Little(file, entry + 1, 1), size == 256 ? 0u : static_cast<unsigned>(size));
            EXPECT_EQ(Little(file, entry + 4, 2), 1u);
            EXPECT_EQ(Little(file, entry + 6, 2), 32u);
            const std::uint32_t bytes = Little(file, entry + 8, 4);
            const std::uint32_t offset = Little(file, entry + 12, 4);
            const std::uint32_t maskBytes = (size + 31) / 32 * 4 * size;
            EXPECT_EQ(bytes, 40 + size * size * 4 + maskBytes);
            EXPECT_EQ(offset, expectedOffset);
            expectedOffset += bytes;

            ASSERT_LE(offset + 40, file.size());
            EXPECT_EQ(Little(file, offset, 4), 40u);
            EXPECT_EQ(Little(file, offset + 4, 4), static_cast<std::uint32_t>(size));
            EXPECT_EQ(Little(file, offset + 8, 4), static_cast<std::uint32_t>(2 * size));
            EXPECT_EQ(Little(file, offset + 12, 2), 1u);
            EXPECT_EQ(Little(file, offset + 14, 2), 32u);
            EXPECT_EQ(Little(file, offset + 16, 4), 0u);  // BI_RGB
        }
        EXPECT_EQ(file.size(), expectedOffset);
    }
}

// The same emblem at every size: transparent corners and gap, an opaque ring
// and dot, and a mask bit set exactly where a pixel is fully transparent.
TEST(EmblemIcon, DrawsTheSameRingAtEverySize)
{
    for (int size : kProgramIconSizes) {
        SCOPED_TRACE(size);
        EmblemImage image = DrawEmblem(size);
        ASSERT_EQ(image.bgra.size(), static_cast<size_t>(size * size * 4));
        auto at = [&](double u, double v) {
            return image.Alpha(static_cast<int>(u * size), static_cast<int>(v * size));
        };
        EXPECT_EQ(at(0, 0), 0);
        EXPECT_EQ(at(0.99, 0.99), 0);
        EXPECT_EQ(at(0.5, 0.5 - 0.22), 0);  // between dot and ring
        EXPECT_EQ(at(0.5, 0.5 - 0.39), 255);
        EXPECT_EQ(at(0.5 + 0.39, 0.5), 255);
        EXPECT_EQ(at(0.5, 0.5), 255);
    }

    for (int size : {16, 128}) {
        SCOPED_TRACE(size);
        std::string file = EmblemIconFile({size});
        EmblemImage image = DrawEmblem(size);
        const size_t mask = 22 + 40 + size * size * 4;
        const int stride = (size + 31) / 32 * 4;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                auto byte = static_cast<std::uint8_t>(file[mask + (size - 1 - y) * stride + x / 8]);
                bool transparent = byte & (0x80 >> (x % 8));
                ASSERT_EQ(transparent, image.Alpha(x, y) == 0) << x << "," << y;
            }
        }
    }
}
