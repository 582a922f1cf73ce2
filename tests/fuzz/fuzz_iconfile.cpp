// Any bytes read as an icon file, an icon group or one icon image: refused,
// or read into images whose every part lies inside their bytes and that are
// written back and read again alike.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "params/iconfile.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

namespace {

void CheckImage(const IconImage& image)
{
    const size_t size = image.bytes.size();
    CHECK(size > 0 && size <= MAX_ICON_IMAGE);
    CHECK(image.width > 0 && image.height > 0 && image.depth > 0);
    CHECK(image.header <= image.xorBits && image.xorBits <= image.andMask && image.andMask <= size);
    if (!image.png) {
        // The mask's rows fit behind the XOR rows.
        uint64_t mask = uint64_t{image.height} * ((uint64_t{image.width} + 31) / 32 * 4);
        CHECK(mask <= size - image.andMask);
        CHECK(image.depth == uint32_t{image.planes} * image.bitCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<IconImage> images;
    if (ReadIconBytes(data, size, images)) {
        CHECK(!images.empty() && images.size() <= MAX_ICON_IMAGES);
        for (const IconImage& image : images)
            CheckImage(image);
        std::vector<uint8_t> file;
        CHECK(ComposeIconFile(images, file));
        std::vector<IconImage> again;
        CHECK(ReadIconBytes(file.data(), file.size(), again));
        CHECK(again.size() == images.size());
        for (size_t i = 0; i < images.size(); ++i) {
            CHECK(again[i].width == images[i].width && again[i].height == images[i].height);
            CHECK(again[i].bytes.size() == images[i].bytes.size());
            CHECK(again[i].andMask == images[i].andMask);
        }
    } else {
        CHECK(images.empty());
    }

    std::vector<uint16_t> ids;
    if (ParseIconGroup(data, size, ids))
        CHECK(!ids.empty() && ICON_HEADER_SIZE + ids.size() * GROUP_ENTRY_SIZE <= size);

    IconImage one;
    one.bytes.assign(data, data + size);
    if (LinkImageParts(one))
        CheckImage(one);
    return 0;
}
