#pragma once

// The ring emblem of the program, drawn at any size, and the icon files made
// from it. Plain C++ so that the files can be made and checked on any machine.

#include <cstdint>
#include <string>
#include <vector>

// One square image, size x size pixels, top row first, 4 bytes a pixel in
// the order blue, green, red, alpha; the colour is not multiplied by alpha.
struct EmblemImage {
    int size = 0;
    std::vector<std::uint8_t> bgra;

    std::uint8_t Alpha(int x, int y) const { return bgra[(y * size + x) * 4 + 3]; }
};

EmblemImage DrawEmblem(int size);

// An .ico file holding the emblem once for each size, in the order given,
// every image a 32-bit BI_RGB bitmap with its alpha channel and an AND mask
// (set where a pixel is fully transparent) for programs that ignore alpha.
std::string EmblemIconFile(const std::vector<int>& sizes);
