// Icon files against independent readers and writers from Debian: icotool
// (icoutils) and ImageMagick read what we compose, and we read what they make.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "caller.h"
#include "iconimages.h"
#include "params/iconfile.h"

namespace {

std::string Shell(const std::string& command, int* status = nullptr)
{
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    int code = pclose(pipe);
    if (status != nullptr)
        *status = code;
    return output;
}

std::vector<uint8_t> Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The test picture as 8-bit RGBA, top row first.
std::vector<uint8_t> Picture(uint32_t side, int bitCount)
{
    std::vector<uint8_t> rgba;
    for (uint32_t y = 0; y < side; ++y)
        for (uint32_t x = 0; x < side; ++x) {
            Rgba c = TestPixel(side, x, y, bitCount);
            rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
        }
    return rgba;
}

std::vector<uint8_t> Flatten(const std::vector<Rgba>& pixels)
{
    std::vector<uint8_t> rgba;
    for (const Rgba& c : pixels)
        rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
    return rgba;
}

class IconTools : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        for (const char* tool : {"icotool", "convert", "identify"})
            ASSERT_EQ(Shell(std::string("command -v ") + tool + " >/dev/null; echo $?"), "0\n")
                << tool << " is missing: ./vondra deps installs icoutils and imagemagick";
        char pattern[] = "/tmp/vondra-icons-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { Shell("rm -rf '" + dir + "'"); }

    // Pixels of one image of an icon file as ImageMagick reads them.
    std::vector<uint8_t> ToolPixels(const std::string& file, size_t index, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        std::string raw = dir + "/pixels.rgba";
        int status = 0;
        std::string out = Shell("convert '" + file + "[" + std::to_string(index) + "]' -depth 8 'rgba:" + raw + "'",
                              &status);
        EXPECT_EQ(status, 0) << out;
        return Load(raw);
    }

    // A PNG of the test picture, made by ImageMagick from raw pixels.
    std::string PicturePng(uint32_t side, int bitCount, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        std::string base = dir + "/pic" + std::to_string(side) + "_" + std::to_string(bitCount);
        Save(base + ".rgba", Picture(side, bitCount));
        int status = 0;
        std::string out = Shell("convert -size " + std::to_string(side) + "x" + std::to_string(side) +
                                  " -depth 8 'rgba:" + base + ".rgba' 'PNG32:" + base + ".png'",
                              &status);
        EXPECT_EQ(status, 0) << out;
        return base + ".png";
    }
};

}  // namespace

TEST_F(IconTools, WrittenIconsAreReadAlikeByIcotoolAndImageMagick)
{
    struct Shape {
        uint32_t side;
        int bitCount;
    } shapes[] = {{16, 4}, {32, 1}, {48, 8}, {24, 24}, {64, 32}, {256, 32}};
    std::vector<IconImage> images;
    for (const Shape& s : shapes) {
        IconImage image;
        image.bytes = MakeBitmapImage(s.side, s.side, s.bitCount, 0xDEAD);
        ASSERT_EQ(LinkImageParts(image), 1);
        images.push_back(image);
    }
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ComposeIconFile(images, bytes), 1);
    std::string file = dir + "/ours.ico";
    Save(file, bytes);

    int status = 0;
    std::string listed = Shell("icotool -l '" + file + "'", &status);
    ASSERT_EQ(status, 0) << listed;
    std::ostringstream expected;
    for (size_t i = 0; i < images.size(); ++i) {
        const Shape& s = shapes[i];
        expected << "--icon --index=" << i + 1 << " --width=" << s.side << " --height=" << s.side
                 << " --bit-depth=" << s.bitCount << " --palette-size=" << (s.bitCount <= 8 ? 1 << s.bitCount : 0)
                 << "\n";
    }
    EXPECT_EQ(listed, expected.str());

    std::string sizes = Shell("identify -format '%w %h\\n' '" + file + "'", &status);
    ASSERT_EQ(status, 0) << sizes;
    EXPECT_EQ(sizes, "16 16\n32 32\n48 48\n24 24\n64 64\n256 256\n");

    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(shapes[i].side);
        EXPECT_EQ(ToolPixels(file, i), Picture(shapes[i].side, shapes[i].bitCount));
    }

    // icotool extracts every image whole.
    std::string out = Shell("icotool -x -o '" + dir + "' '" + file + "'", &status);
    EXPECT_EQ(status, 0) << out;
    std::string extracted = Shell("ls '" + dir + "' | grep -c '^ours_.*png$'");
    EXPECT_EQ(extracted, "6\n");
}

TEST_F(IconTools, IconsMadeByIcotoolAndImageMagickAreRead)
{
    // icotool at the depths it is asked for.
    struct Shape {
        uint32_t side;
        int bitCount;
    } shapes[] = {{16, 4}, {32, 8}, {48, 32}, {32, 1}};
    std::string command = "icotool -c -o '" + dir + "/icotool.ico'";
    for (const Shape& s : shapes)
        command += " -b " + std::to_string(s.bitCount) + " '" + PicturePng(s.side, s.bitCount) + "'";
    int status = 0;
    std::string out = Shell(command, &status);
    ASSERT_EQ(status, 0) << out;

    std::vector<uint8_t> file = Load(dir + "/icotool.ico");
    std::vector<IconImage> images;
    ASSERT_EQ(ReadIconBytes(file.data(), file.size(), images), 1);
    ASSERT_EQ(images.size(), 4u);
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(images[i].width, shapes[i].side);
        EXPECT_EQ(images[i].height, shapes[i].side);
        EXPECT_EQ(images[i].depth, static_cast<uint32_t>(shapes[i].bitCount));
        EXPECT_EQ(Flatten(DecodeBitmapImage(images[i].bytes)), Picture(shapes[i].side, shapes[i].bitCount));
    }

    // ImageMagick: 32 bits for the small images and, at 256, a PNG stream,
    // which is kept and written back unchanged.
    out = Shell("convert '" + PicturePng(16, 32) + "' '" + PicturePng(32, 32) + "' '" + PicturePng(256, 32) + "' '" +
                  dir + "/magick.ico'",
              &status);
    ASSERT_EQ(status, 0) << out;
    file = Load(dir + "/magick.ico");
    ASSERT_EQ(ReadIconBytes(file.data(), file.size(), images), 1);
    ASSERT_EQ(images.size(), 3u);
    const uint32_t sides[] = {16, 32, 256};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(images[i].width, sides[i]);
        EXPECT_EQ(images[i].height, sides[i]);
        EXPECT_EQ(images[i].depth, 32u);
        if (!images[i].png) {
            EXPECT_EQ(Flatten(DecodeBitmapImage(images[i].bytes)), Picture(sides[i], 32));
        }
    }
    EXPECT_TRUE(images[2].png);

    std::vector<uint8_t> again;
    ASSERT_EQ(ComposeIconFile(images, again), 1);
    std::string rewritten = dir + "/rewritten.ico";
    Save(rewritten, again);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(ToolPixels(rewritten, i), Picture(sides[i], 32)) << i;
}
