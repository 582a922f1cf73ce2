#include "iconimages.h"

namespace {

uint32_t PaletteSize(int bitCount) { return bitCount <= 8 ? 1u << bitCount : 0; }

Rgba PaletteColour(int bitCount, uint32_t index)
{
    if (bitCount == 1)
        return index ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 255};
    uint32_t scale = 256 >> bitCount;  // spread the indexes over 0..255
    uint8_t v = static_cast<uint8_t>(index * (scale ? scale : 1));
    return Rgba{v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(v / 2), 255};
}

uint32_t IndexAt(uint32_t width, uint32_t x, uint32_t y, int bitCount)
{
    return (x + y * 3 + width) % PaletteSize(bitCount);
}

}  // namespace

Rgba TestPixel(uint32_t width, uint32_t x, uint32_t y, int bitCount)
{
    if (bitCount <= 8)
        return PaletteColour(bitCount, IndexAt(width, x, y, bitCount));
    Rgba c{static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>(y * 255 / width),
           static_cast<uint8_t>((x + y + width) * 7), 255};
    // Some translucency at 32 bits, none where the mask would have to say so.
    if (bitCount == 32 && x < width / 4)
        c.a = static_cast<uint8_t>(128 + y);
    return c;
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDword(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    PutWord(bytes, at, value & 0xFFFF);
    PutWord(bytes, at + 2, value >> 16);
}

uint32_t GetWord(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | bytes[at + 1] << 8; }
uint32_t GetDword(const std::vector<uint8_t>& bytes, size_t at)
{
    return GetWord(bytes, at) | GetWord(bytes, at + 2) << 16;
}

std::vector<uint8_t> MakeBitmapImage(uint32_t width, uint32_t height, int bitCount, uint32_t sizeImage)
{
    uint32_t colours = PaletteSize(bitCount);
    uint32_t stride = (width * bitCount + 31) / 32 * 4;
    uint32_t maskStride = (width + 31) / 32 * 4;
    std::vector<uint8_t> bytes(40 + 4 * colours + height * stride + height * maskStride, 0);
    PutDword(bytes, 0, 40);
    PutDword(bytes, 4, width);
    PutDword(bytes, 8, height * 2);
    PutWord(bytes, 12, 1);
    PutWord(bytes, 14, bitCount);
    PutDword(bytes, 20, sizeImage);
    for (uint32_t i = 0; i < colours; ++i) {
        Rgba c = PaletteColour(bitCount, i);
        bytes[40 + 4 * i] = c.b;
        bytes[40 + 4 * i + 1] = c.g;
        bytes[40 + 4 * i + 2] = c.r;
    }
    size_t bits = 40 + 4 * colours;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = &bytes[bits + (height - 1 - y) * stride];
        for (uint32_t x = 0; x < width; ++x) {
            Rgba c = TestPixel(width, x, y, bitCount);
            if (bitCount <= 8) {
                uint32_t index = IndexAt(width, x, y, bitCount);
                uint32_t bit = x * bitCount;
                row[bit / 8] |= static_cast<uint8_t>(index << (8 - bitCount - bit % 8));
            } else {
                uint8_t* p = row + x * (bitCount / 8);
                p[0] = c.b;
                p[1] = c.g;
                p[2] = c.r;
                if (bitCount == 32)
                    p[3] = c.a;
            }
        }
    }
    return bytes;  // AND mask all 0: every pixel shows
}

std::vector<Rgba> DecodeBitmapImage(const std::vector<uint8_t>& bytes)
{
    uint32_t headerSize = GetDword(bytes, 0);
    uint32_t width = GetDword(bytes, 4);
    uint32_t height = GetDword(bytes, 8) / 2;
    int bitCount = static_cast<int>(GetWord(bytes, 14));
    uint32_t colours = GetDword(bytes, 32);
    if (colours == 0)
        colours = PaletteSize(bitCount);
    uint32_t stride = (width * bitCount + 31) / 32 * 4;
    uint32_t maskStride = (width + 31) / 32 * 4;
    size_t palette = headerSize;
    size_t bits = palette + 4 * colours;
    size_t mask = bits + height * stride;
    std::vector<Rgba> pixels;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = &bytes[bits + (height - 1 - y) * stride];
        const uint8_t* maskRow = &bytes[mask + (height - 1 - y) * maskStride];
        for (uint32_t x = 0; x < width; ++x) {
            Rgba c{0, 0, 0, 255};
            if (bitCount <= 8) {
                uint32_t bit = x * bitCount;
                uint32_t index = (row[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                const uint8_t* p = &bytes[palette + 4 * index];
                c = Rgba{p[2], p[1], p[0], 255};
            } else {
                const uint8_t* p = row + x * (bitCount / 8);
                c = Rgba{p[2], p[1], p[0], static_cast<uint8_t>(bitCount == 32 ? p[3] : 255)};
            }
            if (bitCount != 32 && (maskRow[x / 8] >> (7 - x % 8) & 1))
                c.a = 0;
            pixels.push_back(c);
        }
    }
    return pixels;
}

std::vector<uint8_t> MakeIconFile(const std::vector<std::vector<uint8_t>>& images)
{
    size_t count = images.size();
    std::vector<uint8_t> file(6 + 16 * count, 0);
    PutWord(file, 2, 1);
    PutWord(file, 4, static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const std::vector<uint8_t>& image = images[i];
        size_t entry = 6 + 16 * i;
        file[entry] = static_cast<uint8_t>(GetDword(image, 4));
        file[entry + 1] = static_cast<uint8_t>(GetDword(image, 8) / 2);
        PutWord(file, entry + 4, GetWord(image, 12));
        PutWord(file, entry + 6, GetWord(image, 14));
        PutDword(file, entry + 8, static_cast<uint32_t>(image.size()));
        PutDword(file, entry + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), image.begin(), image.end());
    }
    return file;
}
