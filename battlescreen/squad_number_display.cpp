#include "battlescreen/squad_number_display.h"

#include "battlescreen/image_metrics.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/ref_string.h"

CSquadNumberDisplay::CSquadNumberDisplay()
{
    const CStr& folder = CPathMgr::Path(CPathMgr::kImagesBattle);
    for (int set = 0; set < 2; ++set) {
        const char side = set == 0 ? 'L' : 'R';
        ImageData* images = m_images + set * kSetSize;
        char border[] = "LNumBorderL";
        border[0] = side;
        LoadImage(CStr::ConcatChars(folder, border).Chars(), images[0]);
        border[10] = 'R';
        LoadImage(CStr::ConcatChars(folder, border).Chars(), images[1]);
        for (int digit = 0; digit < 10; ++digit) {
            char name[] = "LNum0";
            name[0] = side;
            name[4] = char('0' + digit);
            LoadImage(CStr::ConcatChars(folder, name).Chars(), images[2 + digit]);
        }
    }
}

// The views borrow the pack images; there is nothing to give back.
CSquadNumberDisplay::~CSquadNumberDisplay() = default;

void CSquadNumberDisplay::SetDigits(uint32_t value, SquadDigits& digits)
{
    digits.SetSize(0);
    while (value != 0) {
        digits.Add(uint8_t(value % 10));
        value /= 10;
    }
}

int16_t CSquadNumberDisplay::MeasureWidth(const SquadDigits& digits, bool leftSet) const
{
    int32_t width = WidthOf(Picture(leftSet, 0)) + WidthOf(Picture(leftSet, 1));
    for (int32_t i = 0; i < digits.Count(); ++i) {
        const uint8_t digit = digits[i];
        if (digit < 10)
            width += WidthOf(Picture(leftSet, 2 + digit));
    }
    return int16_t(width);
}

void CSquadNumberDisplay::Draw(const SquadDigits& digits, CDrawContext& dc, int32_t x, int32_t y,
                               bool leftSet) const
{
    const ImageData& left = Picture(leftSet, 0);
    DrawImage(dc, x, y, left, UndefinedRect);
    x += WidthOf(left);
    for (int32_t i = digits.Count() - 1; i >= 0; --i) {
        const uint8_t digit = digits[i];
        if (digit >= 10)
            continue;
        const ImageData& image = Picture(leftSet, 2 + digit);
        DrawImage(dc, x, y, image, UndefinedRect);
        x += WidthOf(image);
    }
    DrawImage(dc, x, y, Picture(leftSet, 1), UndefinedRect);
}
