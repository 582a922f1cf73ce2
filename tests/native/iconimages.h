// Icon images made and decoded by the tests, independently of the reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// The test picture: a pattern that differs per image size and position.
Rgba TestPixel(uint32_t width, uint32_t x, uint32_t y, int bitCount);

// A bitmap icon image (header, palette, XOR bits, AND mask) of the test
// picture; palette depths use TestPalette. sizeImage is put into the header.
std::vector<uint8_t> MakeBitmapImage(uint32_t width, uint32_t height, int bitCount, uint32_t sizeImage = 0);

// Pixels of a bitmap icon image, top row first, alpha from the AND mask (or
// from the bits at 32 bits per pixel).
std::vector<Rgba> DecodeBitmapImage(const std::vector<uint8_t>& bytes);

// An icon file of the given images, laid out by hand.
std::vector<uint8_t> MakeIconFile(const std::vector<std::vector<uint8_t>>& images);

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void PutDword(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
uint32_t GetWord(const std::vector<uint8_t>& bytes, size_t at);
uint32_t GetDword(const std::vector<uint8_t>& bytes, size_t at);
