#include "tools/encode/image_encoder.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kMaxFill = 128;
constexpr int kMaxLiteral = 127;
// A repeat this long starts a fill run rather than a literal run (2 bytes
// instead of 4)...
constexpr int kMinFill = 3;
// ...but a literal run is only broken for a longer one: ending it and
// starting the next costs a header byte, so a break pays from 4 repeats on,
// and fewer, longer runs also draw faster.
constexpr int kMinFillInsideLiteral = 4;

int RepeatLength(const uint8_t* p, int i, int end)
{
    int n = 1;
    while (i + n < end && n < kMaxFill && p[i + n] == p[i])
        ++n;
    return n;
}

void EncodeRow(const uint8_t* p, int width, bool transparent, std::vector<uint8_t>& out)
{
    int end = width;
    if (transparent) {
        while (end > 0 && p[end - 1] == 0)
            --end;  // the rest of the row stays untouched
    }
    int i = 0;
    while (i < end) {
        int repeat = RepeatLength(p, i, end);
        if ((transparent && p[i] == 0) || repeat >= kMinFill) {
            out.push_back(static_cast<uint8_t>(-repeat));
            out.push_back(p[i]);
            i += repeat;
            continue;
        }
        int j = i;
        while (j < end && j - i < kMaxLiteral) {
            if (transparent && p[j] == 0)
                break;
            if (RepeatLength(p, j, end) >= kMinFillInsideLiteral)
                break;
            ++j;
        }
        out.push_back(static_cast<uint8_t>(j - i));
        out.insert(out.end(), p + i, p + j);
        i = j;
    }
}

std::string CheckPaletteId(uint8_t id, uint16_t count)
{
    if (id == kCurrentPaletteId || id < count)
        return {};
    return "palette id " + std::to_string(id) + " is not in the palette list of " + std::to_string(count) +
           " entries (nor 254)";
}

std::string CheckPicture(const IndexedPicture& p, const char* what)
{
    if (p.width == 0 || p.height == 0)
        return std::string(what) + " is empty";
    if (p.width > kMaxPictureExtent || p.height > kMaxPictureExtent)
        return std::string(what) + " is larger than 2047 pixels";
    if (p.pixels.size() != static_cast<size_t>(p.width) * p.height)
        return std::string(what) + " has " + std::to_string(p.pixels.size()) + " pixels, not width x height";
    return {};
}

std::string CheckHotSpot(int16_t x, int16_t y)
{
    if (x < -kMaxPictureExtent || x > kMaxPictureExtent || y < -kMaxPictureExtent || y > kMaxPictureExtent)
        return "hot spot is outside the 12-bit coordinate range";
    return {};
}

}  // namespace

EncodedBlock EncodeBlock(const IndexedPicture& picture, bool transparent)
{
    EncodedBlock block;
    int left = 0, top = 0, right = picture.width - 1, bottom = picture.height - 1;
    if (transparent) {
        left = picture.width, top = picture.height, right = -1, bottom = -1;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (picture.At(x, y) != 0) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        if (right < 0) {
            // Nothing visible: one row that ends at once keeps the block well formed.
            block.width = 1, block.height = 1;
            block.data = {0};
            return block;
        }
    }
    block.x = static_cast<uint16_t>(left);
    block.y = static_cast<uint16_t>(top);
    block.width = static_cast<uint16_t>(right - left + 1);
    block.height = static_cast<uint16_t>(bottom - top + 1);

    std::vector<std::vector<uint8_t>> rows(block.height);
    for (int r = 0; r < block.height; ++r) {
        const uint8_t* src = &picture.pixels[static_cast<size_t>(top + r) * picture.width + left];
        EncodeRow(src, block.width, transparent, rows[r]);
        if (rows[r].size() > 255)
            block.wideLengths = true;
    }
    for (const auto& row : rows) {
        if (block.wideLengths)
            PutU16(block.data, static_cast<uint32_t>(row.size()));
        else
            PutU8(block.data, static_cast<uint32_t>(row.size()));
    }
    for (const auto& row : rows)
        block.data.insert(block.data.end(), row.begin(), row.end());
    return block;
}

EncodeResult EncodeImage(const IndexedPicture& picture, const ImageEncodeOptions& options)
{
    if (auto why = CheckPicture(picture, "picture"); !why.empty())
        return EncodeResult::Fail(why);
    if (auto why = CheckPaletteId(options.paletteId, options.paletteCount); !why.empty())
        return EncodeResult::Fail(why);
    if (auto why = CheckHotSpot(options.hotX, options.hotY); !why.empty())
        return EncodeResult::Fail(why);
    EncodedBlock block = EncodeBlock(picture, options.transparent);
    // A row longer than 65535 bytes cannot be described even with wide lengths;
    // a 2047-pixel row needs at most 2 * 2047 bytes, so this cannot happen.
    EncodeResult r;
    auto& out = r.bytes;
    PutU8(out, options.paletteId);
    PutU8(out, (options.transparent ? 1u : 0u) | (block.wideLengths ? 2u : 0u));
    PutU16(out, picture.width);
    PutU16(out, picture.height);
    PutU16(out, static_cast<uint16_t>(options.hotX));
    PutU16(out, static_cast<uint16_t>(options.hotY));
    PutU16(out, block.x);
    PutU16(out, block.y);
    PutU16(out, block.width);
    PutU16(out, block.height);
    PutU32(out, 0);
    out.insert(out.end(), block.data.begin(), block.data.end());
    return r;
}

EncodeResult EncodeAnimation(const std::vector<IndexedPicture>& frames, const AnimEncodeOptions& options)
{
    if (frames.empty())
        return EncodeResult::Fail("an animation needs at least one frame");
    if (frames.size() > 255)
        return EncodeResult::Fail("an animation has at most 255 frames");
    if (options.loopBack != 255 && options.loopBack >= frames.size())
        return EncodeResult::Fail("loop-back frame " + std::to_string(options.loopBack) +
                                  " is not below the frame count " + std::to_string(frames.size()));
    if (options.rate == 0)
        return EncodeResult::Fail("an animation rate of 0 would freeze it");
    if (auto why = CheckPaletteId(options.paletteId, options.paletteCount); !why.empty())
        return EncodeResult::Fail(why);
    if (auto why = CheckHotSpot(options.hotX, options.hotY); !why.empty())
        return EncodeResult::Fail(why);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (auto why = CheckPicture(frames[i], "frame"); !why.empty())
            return EncodeResult::Fail(why + " (frame " + std::to_string(i) + ")");
        if (frames[i].width != frames[0].width || frames[i].height != frames[0].height)
            return EncodeResult::Fail("frame " + std::to_string(i) + " differs in size from frame 0");
    }

    std::vector<EncodedBlock> blocks;
    bool wide = false;
    for (size_t i = 0; i < frames.size(); ++i) {
        bool transparent = options.transparency == AnimTransparency::AllFrames ||
                           (options.transparency == AnimTransparency::AllButFirst && i != 0);
        blocks.push_back(EncodeBlock(frames[i], transparent));
        wide = wide || blocks.back().wideLengths;
    }
    // The wide-length flag is one for all frames, so every frame is re-encoded
    // with it when any of them needs it.
    std::vector<std::vector<uint8_t>> frameBytes;
    for (size_t i = 0; i < frames.size(); ++i) {
        const EncodedBlock& b = blocks[i];
        std::vector<uint8_t> fb;
        PutU16(fb, b.x);
        PutU16(fb, b.y);
        PutU16(fb, b.width);
        PutU16(fb, b.height);
        if (wide && !b.wideLengths) {
            // widen the 8-bit table
            for (int r = 0; r < b.height; ++r)
                PutU16(fb, b.data[r]);
            fb.insert(fb.end(), b.data.begin() + b.height, b.data.end());
        } else {
            fb.insert(fb.end(), b.data.begin(), b.data.end());
        }
        frameBytes.push_back(std::move(fb));
    }

    uint8_t flags = wide ? 2 : 0;
    if (options.transparency == AnimTransparency::AllFrames)
        flags |= 1;
    if (options.transparency == AnimTransparency::AllButFirst)
        flags |= 4;
    EncodeResult r;
    auto& out = r.bytes;
    PutU8(out, options.paletteId);
    PutU8(out, flags);
    PutU16(out, frames[0].width);
    PutU16(out, frames[0].height);
    PutU16(out, static_cast<uint16_t>(options.hotX));
    PutU16(out, static_cast<uint16_t>(options.hotY));
    PutU8(out, static_cast<uint32_t>(frames.size()));
    PutU8(out, options.rate);
    PutU8(out, options.loopBack);
    uint32_t offset = 0;
    for (const auto& fb : frameBytes) {
        offset += static_cast<uint32_t>(fb.size());
        PutU32(out, offset);  // entry i: where frame i + 1 starts; the last is the end
    }
    for (const auto& fb : frameBytes)
        out.insert(out.end(), fb.begin(), fb.end());
    return r;
}
