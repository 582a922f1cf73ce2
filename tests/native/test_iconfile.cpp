// Icon images and icon files: the parts of an image, reading with every
// check on sizes and positions, composing the written layout.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "caller.h"
#include "iconimages.h"
#include "params/iconfile.h"

namespace {

IconImage Linked(std::vector<uint8_t> bytes, Caller caller = {})
{
    SCOPED_CALLER(caller);
    IconImage image;
    image.bytes = std::move(bytes);
    EXPECT_EQ(LinkImageParts(image), 1);
    return image;
}

int Links(std::vector<uint8_t> bytes)
{
    IconImage image;
    image.bytes = std::move(bytes);
    return LinkImageParts(image);
}

std::vector<IconImage> Read(const std::vector<uint8_t>& file, int expected, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::vector<IconImage> images;
    EXPECT_EQ(ReadIconBytes(file.data(), file.size(), images), expected);
    if (!expected) {
        EXPECT_TRUE(images.empty());
    }
    return images;
}

// A minimal PNG stream: signature and an IHDR chunk (the rest is not read).
std::vector<uint8_t> PngImage(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            png.push_back(static_cast<uint8_t>(v >> shift));
    png.insert(png.end(), {bitDepth, colourType, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD});
    png.insert(png.end(), {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
    return png;
}

}  // namespace

TEST(IconImage, PartsFollowHeaderPaletteAndRows)
{
    struct Case {
        uint32_t size;
        int bitCount;
        size_t xorBits, andMask, total;
    } cases[] = {
        // header 40 + palette; XOR rows padded to 4 bytes; AND rows of 1 bit.
        {16, 1, 40 + 8, 48 + 16 * 4, 48 + 64 + 16 * 4},
        {16, 4, 40 + 64, 104 + 16 * 8, 104 + 128 + 64},
        {32, 8, 40 + 1024, 1064 + 32 * 32, 1064 + 1024 + 128},
        {24, 24, 40, 40 + 24 * 72, 40 + 24 * 72 + 24 * 4},
        {48, 32, 40, 40 + 48 * 192, 40 + 48 * 192 + 48 * 8},
        {256, 32, 40, 40 + 256 * 1024, 40 + 256 * 1024 + 256 * 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        IconImage image = Linked(MakeBitmapImage(c.size, c.size, c.bitCount));
        EXPECT_EQ(image.bytes.size(), c.total);
        EXPECT_EQ(image.width, c.size);
        EXPECT_EQ(image.height, c.size);
        EXPECT_EQ(image.depth, static_cast<uint32_t>(c.bitCount));
        EXPECT_EQ(image.header, 0u);
        EXPECT_EQ(image.xorBits, c.xorBits);
        EXPECT_EQ(image.andMask, c.andMask);
        EXPECT_FALSE(image.png);
    }

    // A used-colours count replaces the table's full size; planes multiply.
    std::vector<uint8_t> bytes = MakeBitmapImage(16, 16, 8);
    PutDword(bytes, 32, 20);
    IconImage image = Linked(bytes);
    EXPECT_EQ(image.xorBits, 40u + 80u);
    EXPECT_EQ(image.andMask, 120u + 16u * 16u);
    bytes = MakeBitmapImage(16, 16, 4);
    PutWord(bytes, 12, 2);  // 2 planes x 4 bits: depth 8, a 256-colour table
    bytes.resize(40 + 1024 + 16 * 16 + 64);
    image = Linked(bytes);
    EXPECT_EQ(image.depth, 8u);
    EXPECT_EQ(image.xorBits, 40u + 1024u);
    EXPECT_EQ(image.andMask, 1064u + 256u);
    // A longer header moves everything after it.
    bytes = MakeBitmapImage(16, 16, 32);
    PutDword(bytes, 0, 124);
    bytes.insert(bytes.begin() + 40, 84, 0);
    image = Linked(bytes);
    EXPECT_EQ(image.xorBits, 124u);
}

TEST(IconImage, HeadersThatDoNotFitTheirBytesAreRefused)
{
    std::vector<uint8_t> good = MakeBitmapImage(32, 32, 8);
    EXPECT_EQ(Links(good), 1);
    auto with = [&](size_t at, uint32_t value, bool word = false) {
        std::vector<uint8_t> bytes = good;
        word ? PutWord(bytes, at, value) : PutDword(bytes, at, value);
        return Links(bytes);
    };
    EXPECT_EQ(Links({}), 0);
    EXPECT_EQ(Links(std::vector<uint8_t>(good.begin(), good.begin() + 39)), 0);  // shorter than a header
    EXPECT_EQ(Links(std::vector<uint8_t>(good.begin(), good.end() - 1)), 0);     // mask cut short
    EXPECT_EQ(with(0, 39), 0);                      // header size below a bitmap header
    EXPECT_EQ(with(0, static_cast<uint32_t>(good.size() + 1)), 0);  // header past the bytes
    EXPECT_EQ(with(0, 0xFFFFFFFF), 0);
    EXPECT_EQ(with(4, 0), 0);                       // no width
    EXPECT_EQ(with(4, 0x80000000), 0);              // negative width
    EXPECT_EQ(with(4, 0x7FFFFFFF), 0);              // rows far past the bytes
    EXPECT_EQ(with(8, 0), 0);                       // no height
    EXPECT_EQ(with(8, 1), 0);                       // half a row
    EXPECT_EQ(with(8, static_cast<uint32_t>(-64)), 0);  // top-down: no icon
    EXPECT_EQ(with(8, 0x7FFFFFFE), 0);
    EXPECT_EQ(with(12, 0, true), 0);                // no planes
    EXPECT_EQ(with(14, 0, true), 0);                // no bits
    EXPECT_EQ(with(14, 0xFFFF, true), 0);
    EXPECT_EQ(with(32, 0xFFFFFFFF), 0);             // a colour table of 16 GB
    EXPECT_EQ(with(32, 0x40000000), 0);             // 4 x colours wraps in 32 bits
}

TEST(IconImage, PngStreamsKeepTheirOwnSizeAndDepth)
{
    struct Case {
        uint8_t bitDepth, colourType;
        uint32_t depth;
    } cases[] = {{8, 6, 32}, {8, 2, 24}, {8, 3, 8}, {1, 0, 1}, {16, 4, 32}};
    for (const Case& c : cases) {
        IconImage image = Linked(PngImage(256, 128, c.bitDepth, c.colourType));
        EXPECT_TRUE(image.png);
        EXPECT_EQ(image.width, 256u);
        EXPECT_EQ(image.height, 128u);
        EXPECT_EQ(image.depth, c.depth);
        EXPECT_EQ(image.bitCount, c.depth);
        EXPECT_EQ(image.planes, 1u);
        EXPECT_EQ(image.xorBits, image.bytes.size());
    }
    EXPECT_EQ(Links(PngImage(0, 16, 8, 6)), 0);
    EXPECT_EQ(Links(PngImage(16, 0, 8, 6)), 0);
    EXPECT_EQ(Links(PngImage(16, 16, 8, 5)), 0);   // no such colour type
    EXPECT_EQ(Links(PngImage(16, 16, 0, 6)), 0);
    std::vector<uint8_t> cut = PngImage(16, 16, 8, 6);
    cut.resize(20);
    EXPECT_EQ(Links(cut), 0);
}

TEST(IconFile, ReadsEveryImageInDirectoryOrder)
{
    std::vector<uint8_t> file = MakeIconFile(
        {MakeBitmapImage(48, 48, 8), MakeBitmapImage(16, 16, 4), MakeBitmapImage(32, 32, 1, 1234)});
    std::vector<IconImage> images = Read(file, 1);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].width, 48u);
    EXPECT_EQ(images[1].width, 16u);
    EXPECT_EQ(images[2].width, 32u);
    EXPECT_EQ(images[2].depth, 1u);
    EXPECT_EQ(images[2].bytes, MakeBitmapImage(32, 32, 1, 1234));  // as in the source

    // The directory's own size bytes are not trusted over the header.
    file[6] = 99;
    file[7] = 7;
    images = Read(file, 1);
    EXPECT_EQ(images[0].width, 48u);
    EXPECT_EQ(images[0].height, 48u);
}

TEST(IconFile, BadFilesGiveNoImages)
{
    const std::vector<uint8_t> good = MakeIconFile({MakeBitmapImage(16, 16, 4), MakeBitmapImage(32, 32, 32)});
    Read(good, 1);
    auto with = [&](size_t at, uint32_t value, bool word) {
        std::vector<uint8_t> bytes = good;
        word ? PutWord(bytes, at, value) : PutDword(bytes, at, value);
        return bytes;
    };
    Read({}, 0);
    Read(with(0, 1, true), 0);  // reserved not 0
    Read(with(2, 2, true), 0);  // a cursor file
    Read(with(2, 0, true), 0);
    Read(with(4, 0, true), 0);  // no images
    Read(with(4, 3, true), 0);  // more images than the directory holds... and the file
    Read(std::vector<uint8_t>(good.begin(), good.begin() + 5), 0);
    Read(std::vector<uint8_t>(good.begin(), good.begin() + 6 + 16 + 15), 0);  // directory cut
    Read(std::vector<uint8_t>(good.begin(), good.end() - 1), 0);              // last image cut
    const size_t second = 6 + 16;
    Read(with(second + 8, 0, false), 0);            // size 0
    Read(with(second + 8, 0xFFFFFFFF, false), 0);   // size of 4 GB
    Read(with(second + 8, MAX_ICON_IMAGE + 1, false), 0);
    Read(with(second + 12, 0xFFFFFFFF, false), 0);  // offset past the end
    Read(with(second + 12, static_cast<uint32_t>(good.size()), false), 0);
    Read(with(second + 12, 0xFFFFFFF0, false), 0);  // offset + size wraps
    // An image that is no icon bitmap spoils the whole file.
    Read(with(GetDword(good, second + 12) + 4, 0, false), 0);

    // A count that says fewer images than there are reads only those.
    std::vector<IconImage> images = Read(with(4, 1, true), 1);
    EXPECT_EQ(images.size(), 1u);

    // Entries that all name one image: up to MAX_ICON_IMAGES of them and
    // MAX_ICON_BYTES in all. 65,535 of 66 KB would cost 4 GB.
    auto repeated = [](size_t count, const std::vector<uint8_t>& image) {
        std::vector<uint8_t> file = MakeIconFile({image}), entry(file.begin() + 6, file.begin() + 22);
        PutDword(entry, 12, static_cast<uint32_t>(6 + 16 * count));
        file.resize(6);
        PutWord(file, 4, static_cast<uint32_t>(count));
        for (size_t i = 0; i < count; ++i)
            file.insert(file.end(), entry.begin(), entry.end());
        file.insert(file.end(), image.begin(), image.end());
        return file;
    };
    const std::vector<uint8_t> small = MakeBitmapImage(16, 16, 4), large = MakeBitmapImage(128, 128, 32);
    EXPECT_EQ(Read(repeated(MAX_ICON_IMAGES, small), 1).size(), size_t{MAX_ICON_IMAGES});
    Read(repeated(MAX_ICON_IMAGES + 1, small), 0);
    Read(repeated(MAX_ICON_BYTES / large.size(), large), 1);
    Read(repeated(MAX_ICON_BYTES / large.size() + 1, large), 0);
    Read(repeated(65535, large), 0);
}

TEST(IconFile, ComposedLayoutMatchesTheWrittenFormat)
{
    std::vector<IconImage> images;
    images.push_back(Linked(MakeBitmapImage(16, 16, 4, 777)));
    images.push_back(Linked(MakeBitmapImage(32, 32, 1, 5)));
    images.push_back(Linked(MakeBitmapImage(48, 48, 8)));
    images.push_back(Linked(MakeBitmapImage(256, 256, 32, 0x12345678)));
    const std::vector<IconImage> before = images;
    std::vector<uint8_t> file;
    ASSERT_EQ(ComposeIconFile(images, file), 1);

    EXPECT_EQ(GetWord(file, 0), 0u);
    EXPECT_EQ(GetWord(file, 2), 1u);
    EXPECT_EQ(GetWord(file, 4), 4u);
    const uint8_t colours[] = {16, 2, 0, 0};
    const uint32_t sides[] = {16, 32, 48, 0};  // 256 is written as 0
    uint32_t offset = 6 + 4 * 16;
    EXPECT_EQ(GetDword(file, 6 + 12), offset);
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        size_t entry = 6 + 16 * i;
        EXPECT_EQ(file[entry], sides[i]);
        EXPECT_EQ(file[entry + 1], sides[i]);
        EXPECT_EQ(file[entry + 2], colours[i]);
        EXPECT_EQ(file[entry + 3], 0);
        EXPECT_EQ(GetWord(file, entry + 4), 1u);
        EXPECT_EQ(GetWord(file, entry + 6), images[i].bitCount);
        EXPECT_EQ(GetDword(file, entry + 8), images[i].bytes.size());
        EXPECT_EQ(GetDword(file, entry + 12), offset);
        std::vector<uint8_t> expected = images[i].bytes;
        PutDword(expected, 20, 0);  // size-of-image written as 0
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + expected.size()), expected);
        offset += static_cast<uint32_t>(expected.size());
    }
    EXPECT_EQ(file.size(), offset);
    // Writing leaves the images in memory as they were.
    for (size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(images[i].bytes, before[i].bytes);

    // Read back: same images, in order.
    std::vector<IconImage> again = Read(file, 1);
    ASSERT_EQ(again.size(), images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(again[i].width, images[i].width);
        EXPECT_EQ(again[i].xorBits, images[i].xorBits);
        EXPECT_EQ(again[i].andMask, images[i].andMask);
    }

    // Three images of 16, 32 and 48: the first lies at 6 + 3 x 16.
    images.pop_back();
    ASSERT_EQ(ComposeIconFile(images, file), 1);
    EXPECT_EQ(GetDword(file, 6 + 12), 54u);

    // A PNG stream is written as it is; its depth decides the colour byte.
    images = {Linked(PngImage(256, 256, 8, 6)), Linked(PngImage(16, 16, 2, 3))};
    ASSERT_EQ(ComposeIconFile(images, file), 1);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 38, file.begin() + 38 + images[0].bytes.size()), images[0].bytes);
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[6 + 2], 0);
    EXPECT_EQ(GetWord(file, 6 + 6), 32u);
    EXPECT_EQ(file[22 + 2], 4);

    EXPECT_EQ(ComposeIconFile({}, file), 0);
    EXPECT_TRUE(file.empty());
}

TEST(IconGroup, NamesTheImagesOfItsEntries)
{
    std::vector<uint8_t> group(6 + 3 * 14, 0);
    PutWord(group, 2, 1);
    PutWord(group, 4, 3);
    PutWord(group, 6 + 12, 7);
    PutWord(group, 6 + 14 + 12, 3);
    PutWord(group, 6 + 28 + 12, 65535);
    std::vector<uint16_t> ids;
    ASSERT_EQ(ParseIconGroup(group.data(), group.size(), ids), 1);
    EXPECT_EQ(ids, (std::vector<uint16_t>{7, 3, 65535}));

    // A count that the group's bytes do not hold, a cursor group, no
    // entries, more than an icon file may hold.
    EXPECT_EQ(ParseIconGroup(group.data(), group.size() - 1, ids), 0);
    EXPECT_TRUE(ids.empty());
    PutWord(group, 4, 4);
    EXPECT_EQ(ParseIconGroup(group.data(), group.size(), ids), 0);
    PutWord(group, 4, 0);
    EXPECT_EQ(ParseIconGroup(group.data(), group.size(), ids), 0);
    group.resize(6 + 14 * (MAX_ICON_IMAGES + 1));
    PutWord(group, 4, MAX_ICON_IMAGES + 1);
    EXPECT_EQ(ParseIconGroup(group.data(), group.size(), ids), 0);
    PutWord(group, 4, 1);
    PutWord(group, 2, 2);
    EXPECT_EQ(ParseIconGroup(group.data(), group.size(), ids), 0);
    EXPECT_EQ(ParseIconGroup(group.data(), 5, ids), 0);
    EXPECT_EQ(ParseIconGroup(nullptr, 0, ids), 0);
}
