#pragma once
// Header values of pictures that may be missing: a missing picture measures
// 0 and has its hot spot at its corner.

#include <cstdint>

#include "core/image_data.h"

inline uint16_t WidthOf(const ImageData& image)
{
    return image.HasHeader() ? image.Width() : 0;
}
inline uint16_t HeightOf(const ImageData& image)
{
    return image.HasHeader() ? image.Height() : 0;
}
inline int16_t HotXOf(const ImageData& image)
{
    return image.HasHeader() ? image.HotX() : 0;
}
inline int16_t HotYOf(const ImageData& image)
{
    return image.HasHeader() ? image.HotY() : 0;
}
// A header word of an "img" (little-endian u16 at the byte offset), 0 when missing.
inline uint16_t HeaderWord(const ImageData& image, int offset)
{
    if (!image.HasHeader() || image.isFrame)
        return 0;
    return uint16_t(image.header[offset] | (image.header[offset + 1] << 8));
}
