// Icon images and the Windows icon file layout: reading, checking and
// composing. Icon files and programs come from anywhere, so every size and
// position is checked against the bytes actually there before it is used.
// No windows.h: this builds natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum { ICON_PATH_SIZE = 260 };
enum { ICON_HEADER_SIZE = 6, ICON_ENTRY_SIZE = 16, GROUP_ENTRY_SIZE = 14 };
// An image larger than this is refused rather than allocated: a 256 x 256
// image of 32 bits is about 270 KB.
enum : uint32_t { MAX_ICON_IMAGE = 16u << 20 };
// So is a file of more images, or more bytes of them all together, than
// this: an icon holds a few sizes in a few depths (rarely 30 images, well
// under 2 MB), while a directory of 65,535 entries naming the same image
// would otherwise cost 65,535 copies of it. A group in a program names no
// more images either.
enum : uint32_t { MAX_ICON_IMAGES = 256, MAX_ICON_BYTES = MAX_ICON_IMAGE };

// One image as stored in an icon file: a BITMAPINFOHEADER, the colour table,
// the XOR bits and the AND mask; or a PNG stream, which is kept as it is.
struct IconImage {
    uint32_t width = 0;
    uint32_t height = 0;   // of the picture: half of the bitmap header's height
    uint32_t depth = 0;    // planes x bits per pixel
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    bool png = false;
    std::vector<uint8_t> bytes;
    // Positions inside bytes; for a PNG image the XOR and AND positions are
    // the end of the bytes.
    size_t header = 0;
    size_t xorBits = 0;
    size_t andMask = 0;
};

// The current icon: where it came from and its images, in source order.
struct IconSet {
    char iconFile[ICON_PATH_SIZE] = "";     // empty when read from a program or library
    char libraryFile[ICON_PATH_SIZE] = "";  // empty when read from an icon file
    std::vector<IconImage> images;
};

// Bytes of an icon file: its length and a positioned read that fills exactly
// count bytes (1) or fails (0).
struct IconSource {
    uint64_t length;
    int (*read)(void* context, uint64_t offset, void* into, size_t count);
    void* context;
};

// Derives size, depth and the positions of the parts from image.bytes.
// Returns 0 when the header is not an icon bitmap or a part would lie past
// the bytes; the image is then not to be used.
int LinkImageParts(IconImage& image);

// Reads every image of an icon file (reserved 0, type 1, 1 to
// MAX_ICON_IMAGES images of MAX_ICON_BYTES in all). Returns 1 with images
// filled, or 0 with images empty.
int ReadIconImages(const IconSource& source, std::vector<IconImage>& images);
int ReadIconBytes(const void* data, size_t size, std::vector<IconImage>& images);

// The resource ids an icon group names, in order. Returns 0, ids empty, when
// the group is shorter than its count of entries says, names no image or
// more than MAX_ICON_IMAGES.
int ParseIconGroup(const void* data, size_t size, std::vector<uint16_t>& ids);

// The colour count byte of a directory entry for an image of this depth.
uint8_t DirectoryColourCount(uint32_t depth);

// The header and directory of the icon file of these images (6 + 16 n
// bytes); the images follow them in order. Returns 0, out empty, for no
// images or more than a file holds.
int ComposeIconDirectory(const std::vector<IconImage>& images, std::vector<uint8_t>& out);

// Where an image's bitmap header keeps its size-of-image field, which the
// written file holds as 0; -1 for a PNG stream, which is written unchanged.
long SizeImageField(const IconImage& image);

// The whole icon file: directory, then the images, each with its
// size-of-image field 0.
int ComposeIconFile(const std::vector<IconImage>& images, std::vector<uint8_t>& out);
