#include "iconfile.h"

#include <cstring>

namespace {

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Dword(const uint8_t* p) { return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16; }
uint32_t BigDword(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

void PutWord(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void PutDword(uint8_t* p, uint32_t v)
{
    PutWord(p, v & 0xFFFF);
    PutWord(p + 2, v >> 16);
}

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
enum { BITMAP_HEADER_SIZE = 40, SIZE_IMAGE_FIELD = 20, PNG_MIN_SIZE = 8 + 8 + 13 + 4 };

// A PNG stream inside an icon: size and depth come from its IHDR chunk.
int LinkPngParts(IconImage& image)
{
    const uint8_t* p = image.bytes.data();
    if (image.bytes.size() < PNG_MIN_SIZE || std::memcmp(p + 12, "IHDR", 4) != 0)
        return 0;
    uint32_t width = BigDword(p + 16);
    uint32_t height = BigDword(p + 20);
    uint32_t bitDepth = p[24];
    uint32_t channels;
    switch (p[25]) {
    case 0: channels = 1; break;  // grey
    case 2: channels = 3; break;  // RGB
    case 3: channels = 1; break;  // palette
    case 4: channels = 2; break;  // grey and alpha
    case 6: channels = 4; break;  // RGBA
    default: return 0;
    }
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF || bitDepth == 0 || bitDepth > 16)
        return 0;
    image.png = true;
    image.width = width;
    image.height = height;
    image.planes = 1;
    image.bitCount = static_cast<uint16_t>(bitDepth * channels);
    image.depth = image.bitCount;
    image.header = 0;
    image.xorBits = image.andMask = image.bytes.size();
    return 1;
}

}  // namespace

int LinkImageParts(IconImage& image)
{
    const uint64_t size = image.bytes.size();
    const uint8_t* p = image.bytes.data();
    if (size >= sizeof PNG_SIGNATURE && std::memcmp(p, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0)
        return LinkPngParts(image);
    if (size < BITMAP_HEADER_SIZE)
        return 0;
    const uint32_t headerSize = Dword(p);
    const int32_t width = static_cast<int32_t>(Dword(p + 4));
    const int32_t fullHeight = static_cast<int32_t>(Dword(p + 8));
    const uint16_t planes = Word(p + 12);
    const uint16_t bitCount = Word(p + 14);
    const uint32_t usedColours = Dword(p + 32);
    const uint64_t depth = uint64_t{planes} * bitCount;
    // The header's height covers the colour bits and the mask; an icon is
    // stored bottom-up, so a negative height is no icon.
    if (headerSize < BITMAP_HEADER_SIZE || headerSize > size || width <= 0 || fullHeight < 2 || depth == 0)
        return 0;
    const uint64_t height = static_cast<uint32_t>(fullHeight) / 2;
    uint64_t colours = usedColours;
    if (colours == 0)
        colours = depth == 1 ? 2 : depth == 4 ? 16 : depth == 8 ? 256 : 0;
    const uint64_t xorBits = headerSize + 4 * colours;
    const uint64_t rowLength = (uint64_t(width) * depth + 31) / 32 * 4;
    const uint64_t andMask = xorBits + height * rowLength;
    const uint64_t maskLength = height * ((uint64_t(width) + 31) / 32 * 4);
    if (xorBits > size || andMask > size || maskLength > size - andMask)
        return 0;
    image.png = false;
    image.width = static_cast<uint32_t>(width);
    image.height = static_cast<uint32_t>(height);
    image.planes = planes;
    image.bitCount = bitCount;
    image.depth = static_cast<uint32_t>(depth);
    image.header = 0;
    image.xorBits = static_cast<size_t>(xorBits);
    image.andMask = static_cast<size_t>(andMask);
    return 1;
}

int ReadIconImages(const IconSource& source, std::vector<IconImage>& images)
{
    images.clear();
    uint8_t header[ICON_HEADER_SIZE];
    if (!source.read(source.context, 0, header, sizeof header))
        return 0;
    const uint16_t count = Word(header + 4);
    if (Word(header) != 0 || Word(header + 2) != 1 || count == 0 || count > MAX_ICON_IMAGES)
        return 0;
    uint8_t directory[MAX_ICON_IMAGES * ICON_ENTRY_SIZE];
    if (!source.read(source.context, ICON_HEADER_SIZE, directory, size_t{count} * ICON_ENTRY_SIZE))
        return 0;
    // Every entry is checked before anything is allocated: a size of 4 GB,
    // an offset past the end or images too large together must not cost
    // memory.
    auto size = [&](size_t i) { return Dword(directory + i * ICON_ENTRY_SIZE + 8); };
    auto offset = [&](size_t i) { return Dword(directory + i * ICON_ENTRY_SIZE + 12); };
    uint64_t total = 0;
    for (size_t i = 0; i < count; ++i) {
        total += size(i);
        if (size(i) == 0 || size(i) > MAX_ICON_IMAGE || offset(i) > source.length ||
            size(i) > source.length - offset(i) || total > MAX_ICON_BYTES)
            return 0;
    }
    std::vector<IconImage> read(count);
    for (size_t i = 0; i < count; ++i) {
        read[i].bytes.resize(size(i));
        if (!source.read(source.context, offset(i), read[i].bytes.data(), size(i)) || !LinkImageParts(read[i]))
            return 0;
    }
    images.swap(read);
    return 1;
}

namespace {

struct Memory {
    const uint8_t* data;
    size_t size;
};

int ReadMemory(void* context, uint64_t offset, void* into, size_t count)
{
    const Memory* memory = static_cast<const Memory*>(context);
    if (offset > memory->size || count > memory->size - offset)
        return 0;
    if (count > 0)
        std::memcpy(into, memory->data + offset, count);
    return 1;
}

}  // namespace

int ReadIconBytes(const void* data, size_t size, std::vector<IconImage>& images)
{
    Memory memory{static_cast<const uint8_t*>(data), size};
    IconSource source{size, ReadMemory, &memory};
    return ReadIconImages(source, images);
}

int ParseIconGroup(const void* data, size_t size, std::vector<uint16_t>& ids)
{
    ids.clear();
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (p == nullptr || size < ICON_HEADER_SIZE || Word(p) != 0 || Word(p + 2) != 1)
        return 0;
    const size_t count = Word(p + 4);
    if (count == 0 || count > MAX_ICON_IMAGES || size < ICON_HEADER_SIZE + count * GROUP_ENTRY_SIZE)
        return 0;
    for (size_t i = 0; i < count; ++i)
        ids.push_back(Word(p + ICON_HEADER_SIZE + i * GROUP_ENTRY_SIZE + 12));
    return 1;
}

uint8_t DirectoryColourCount(uint32_t depth)
{
    return depth < 8 ? static_cast<uint8_t>(1u << depth) : 0;
}

int ComposeIconDirectory(const std::vector<IconImage>& images, std::vector<uint8_t>& out)
{
    out.clear();
    const size_t count = images.size();
    if (count == 0 || count > 0xFFFF)
        return 0;
    uint64_t total = ICON_HEADER_SIZE + uint64_t{count} * ICON_ENTRY_SIZE;
    for (const IconImage& image : images)
        total += image.bytes.size();
    if (total > 0xFFFFFFFFu)
        return 0;
    out.resize(ICON_HEADER_SIZE + count * ICON_ENTRY_SIZE);
    uint8_t* p = out.data();
    PutWord(p, 0);
    PutWord(p + 2, 1);
    PutWord(p + 4, static_cast<uint32_t>(count));
    uint32_t offset = static_cast<uint32_t>(out.size());
    for (size_t i = 0; i < count; ++i) {
        const IconImage& image = images[i];
        uint8_t* entry = p + ICON_HEADER_SIZE + i * ICON_ENTRY_SIZE;
        entry[0] = static_cast<uint8_t>(image.width);  // 256 is written as 0
        entry[1] = static_cast<uint8_t>(image.height);
        entry[2] = DirectoryColourCount(image.depth);
        entry[3] = 0;
        PutWord(entry + 4, image.planes);
        PutWord(entry + 6, image.bitCount);
        PutDword(entry + 8, static_cast<uint32_t>(image.bytes.size()));
        PutDword(entry + 12, offset);
        offset += static_cast<uint32_t>(image.bytes.size());
    }
    return 1;
}

long SizeImageField(const IconImage& image)
{
    // Readers take the image size from the directory; the header's own field
    // is written as 0, as for an uncompressed bitmap.
    return !image.png && image.bytes.size() >= SIZE_IMAGE_FIELD + 4 ? SIZE_IMAGE_FIELD : -1;
}

int ComposeIconFile(const std::vector<IconImage>& images, std::vector<uint8_t>& out)
{
    if (!ComposeIconDirectory(images, out))
        return 0;
    for (const IconImage& image : images) {
        size_t at = out.size();
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
        long field = SizeImageField(image);
        if (field >= 0)
            PutDword(out.data() + at + field, 0);
    }
    return 1;
}
