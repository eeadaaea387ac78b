#pragma once
// Layout elements: a box that aligns content of a known size inside a
// container of a known size, and the picture elements built on it, a static
// image and a timed animation. Elements are not windows: a window owns them,
// sizes their container to its client rect and draws them in its Paint.

#include <cstdint>
#include <new>

#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CDrawContext;
class CTimer;

enum BoxAlign : uint8_t {
    AlignCentre = 1,
    AlignStart = 2,
    AlignEnd = 3,
};

constexpr int16_t kUnknownSize = -2048;

class CAlignedBox {
public:
    CAlignedBox(int16_t outerWidth, int16_t outerHeight, uint8_t alignH, uint8_t alignV, int16_t ownWidth,
                int16_t ownHeight);
    virtual ~CAlignedBox() = default;
    CAlignedBox(const CAlignedBox&) = delete;
    CAlignedBox& operator=(const CAlignedBox&) = delete;

    virtual void* QueryInterface(int32_t id);
    virtual void Draw(CDrawContext& dc, int32_t dx, int32_t dy);
    virtual void Relayout() {}
    virtual bool SetAttribute(const char* name, const char* value);

    void Recalc();
    void SetAlign(uint8_t alignH, uint8_t alignV);
    void FitToContent();
    PackedRect GetRect() const;

    void SetOuterSize(int16_t width, int16_t height);
    void SetOwnSize(int16_t width, int16_t height);
    int16_t OuterWidth() const { return m_outerW; }
    int16_t OuterHeight() const { return m_outerH; }
    int16_t OwnWidth() const { return m_ownW; }
    int16_t OwnHeight() const { return m_ownH; }
    const PackedPoint& Position() const { return m_position; }
    uint8_t Alignment() const { return m_align; }

protected:
    PackedPoint m_position = UndefinedPoint;
    int16_t m_outerW;
    int16_t m_outerH;
    int16_t m_ownW;
    int16_t m_ownH;
    uint8_t m_align;
};

// The drawable element: spacing on both sides that only the mark-up layout sets.
class CDrawableElement : public CAlignedBox {
public:
    using CAlignedBox::CAlignedBox;
    void* QueryInterface(int32_t id) override;
    int16_t leftSpacing = 0;
    int16_t rightSpacing = 0;

protected:
    // The "hspace" and "vspace" attributes of a picture: a margin on both
    // sides. One given before the picture's source waits for its size.
    bool SpacingAttribute(const char* name, const char* value);
    // The box of a picture whose source has just been read.
    void CentreAfterSource();

private:
    int32_t m_waitingHSpace = 0;
    int32_t m_waitingVSpace = 0;
};

class CImageElement : public CDrawableElement {
public:
    CImageElement(const char* name, int16_t outerWidth, int16_t outerHeight);
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    bool SetAttribute(const char* name, const char* value) override;

    // False for an empty name (nothing changes) or a missing image.
    bool SetImage(const char* name, bool relayout);
    void SetImageData(const ImageData& image, bool relayout);
    const ImageData& Image() const { return m_image; }

private:
    ImageData m_image;
};

// An owned callable invoked with an element.
class ElementHandler {
public:
    virtual ~ElementHandler() = default;
    virtual void Invoke(CAlignedBox* element) = 0;
};
template <typename T>
class ElementMemberHandler : public ElementHandler {
public:
    ElementMemberHandler(T* object, void (T::*member)(CAlignedBox*)) : m_object(object), m_member(member) {}
    void Invoke(CAlignedBox* element) override { (m_object->*m_member)(element); }

private:
    T* m_object;
    void (T::*m_member)(CAlignedBox*);
};

class CAnimElement : public CDrawableElement {
public:
    CAnimElement(const char* name, int16_t outerWidth, int16_t outerHeight);
    CAnimElement(const AnimData& anim, int16_t outerWidth, int16_t outerHeight);
    ~CAnimElement() override;
    void* QueryInterface(int32_t id) override;
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    bool SetAttribute(const char* name, const char* value) override;
    virtual void Start();
    virtual void Stop();
    virtual void Resume();
    virtual void Pause();

    bool Load(const char* name, bool relayout);
    bool LoadData(const AnimData& anim, bool relayout);
    // One frame step (the timer's callback).
    void StepFrame();

    template <typename T>
    void BindFrameHandler(T* object, void (T::*member)(CAlignedBox*))
    {
        delete m_frameHandler;
        m_frameHandler = new (std::nothrow) ElementMemberHandler<T>(object, member);
    }
    template <typename T>
    void BindFinishedHandler(T* object, void (T::*member)(CAlignedBox*))
    {
        delete m_finishedHandler;
        m_finishedHandler = new (std::nothrow) ElementMemberHandler<T>(object, member);
    }

    uint8_t CurrentFrame() const { return m_frame; }
    const PackedRect& FrameRect() const { return m_frameRect; }
    const AnimData& Animation() const { return m_anim; }
    CTimer* Timer() const { return m_timer; }
    bool IsRunning() const;
    bool IsPaused() const;

private:
    void TakeFrame();
    ElementHandler* m_frameHandler = nullptr;
    ElementHandler* m_finishedHandler = nullptr;
    PackedRect m_frameRect = UndefinedRect;
    ImageData m_frameImage;
    AnimData m_anim;
    uint8_t m_frame = 0;
    CTimer* m_timer = nullptr;
};
