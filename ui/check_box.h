#pragma once
// Two variants of the toolkit's button. CCheckBox ("Cb" nodes) is a toggle
// drawn without the skin's frame, as a check picture followed by its
// caption; the picture shows the drawn-down state (pressed XOR checked).
// CButtonEx draws, over the ordinary button face, an extra picture followed
// by a second caption; several of them can line their pictures up in one
// column.

#include <cstdint>

#include "core/image_data.h"
#include "ui/button.h"
#include "ui/text_element.h"

enum CheckBoxInterfaceId : int32_t {
    IidCheckBox = 24,
    IidButtonEx = 32,
};

// The widths of a check box's picture and caption boxes in a face W wide,
// for a picture pw and a caption tw wide (0 when absent), and of the gap
// between them when both are shown.
struct CheckBoxBoxes {
    int32_t picture;
    int32_t gap;
    int32_t caption;
};
CheckBoxBoxes CheckBoxFaceBoxes(int32_t faceWidth, int32_t pictureWidth, int32_t captionWidth,
                                uint8_t captionAlign, int32_t gap);

class CCheckBox : public CButton {
public:
    CCheckBox(CWindow* parent, const CStr& path, bool load);
    void* QueryInterface(int32_t id) override;
    uint32_t SetSkin(const CStr& name, bool redraw) override;
    void OnStateChanged(bool sound) override;
    void LayoutContent() override;
    void Paint(const PackedRect& rect) override;
    bool LoadLayout(bool keepVisibility) override;

    void SetTextAlign(uint8_t alignment, bool redraw);
    void SetTextColour(uint8_t colour, bool redraw);
    void SetPicture(const ImageData& image, bool redraw);
    const ImageData& CheckedImage() const { return m_checked; }
    const ImageData& UncheckedImage() const { return m_unchecked; }
    // Where the caption starts, from the client's left edge.
    int32_t CaptionLeft() const { return m_picture.OuterWidth() + m_gap; }

private:
    ImageData m_checked;
    ImageData m_unchecked;
    int32_t m_gap = 0;
    bool m_loadedOnce = false;
};

// Where a CButtonEx draws its extra picture and its second caption, in the
// coordinates of its client rect's origin.
struct ButtonExPlacement {
    int32_t pictureX, pictureY;
    int32_t captionX, captionY;
    bool drawPicture;
};
ButtonExPlacement PlaceButtonEx(const PackedRect& client, int32_t pictureWidth, int32_t pictureHeight,
                                int32_t captionWidth, int32_t captionHeight, int32_t columnWidth,
                                int32_t spaceWidth);

class CButtonEx : public CButton {
public:
    CButtonEx(CWindow* parent, const CStr& path);
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    bool LoadLayout(bool keepVisibility) override;

    virtual void SetText2(const CStr& text, bool redraw);
    // Loads the "img" resource of that name (relative names resolve in the
    // current resource folder) as the extra picture; a missing one leaves
    // the button without a picture.
    void SetPicture(const CStr& name, bool redraw);
    // A refresh step after every size and caption change; nothing to do yet.
    virtual void UpdateLook() {}
    ButtonExPlacement Placement() const;

    int16_t columnWidth = 0;
    CTextElement& Caption2() { return m_caption2; }
    const ImageData& ExtraPicture() const { return m_extra; }

private:
    CTextElement m_caption2;
    ImageData m_extra;
};
