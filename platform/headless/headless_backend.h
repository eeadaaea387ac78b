#pragma once
// The headless backend: no window system at all. The screen is a block of
// memory, the clock is virtual (Sleep advances it at once), input comes from
// a script or from the test that drives it, and the message box is written to
// standard error. A run without a script asks to close after a bounded number
// of frame steps, so the program always ends by itself.

#include <memory>
#include <string>
#include <vector>

#include "platform/platform_backend.h"

struct HeadlessOptions {
    PlatformSettings settings;
    // Parts of the device that refuse to start, to test start-up failures.
    bool refuseWindow = false;
    bool refuseDisplay = false;    // no screen at all: neither raw access nor the game library's display
    bool refuseRawAccess = false;  // no raw access; the game library's display is offered
    bool refuseInput = false;
    bool refuseWrites = false;  // every file replacement fails, as on a full disk
    // Layout of the emulated screen (strides 0 = plain rows).
    uint16_t format = RAW_FORMAT_565;
    int32_t xStride = 0;
    int32_t yStride = 0;
    // Without a script, the close message comes after this many frame steps
    // (0 = never; tests that drive input themselves use 0).
    uint64_t closeAfterSteps = 200;
};

// The virtual clock starts here: far from 0, as timers rely on.
constexpr uint32_t kHeadlessClockStart = 0x10000000u;

class HeadlessBackend : public PlatformBackend {
public:
    explicit HeadlessBackend(const HeadlessOptions& options);

    const char* Name() const override { return "headless"; }
    bool OpenHostWindow(const std::string& title) override;
    bool HostKeyHeld(uint32_t virtualKey) const override;
    void MessageBox(const std::string& title, const std::string& text) override;
    void Sleep(uint32_t milliseconds) override { m_clock += milliseconds; }
    uint32_t Ticks() override { return m_clock; }
    bool OpenInput() override;
    int RawFrameBuffer(RawFrameBufferInfo& out) override;
    bool RefusesFileWrites() const override;
    void Present() override { ++m_presents; }
    bool Screenshot(const std::string& name) override;

    // ---- For tests ----
    void SetKeyHeld(uint32_t virtualKey, bool held);
    void RefuseFileWrites(bool refuse) { m_options.refuseWrites = refuse; }
    void AdvanceClock(uint32_t milliseconds) { m_clock += milliseconds; }
    void SetClock(uint32_t ticks) { m_clock = ticks; }
    // Texts of the message boxes shown so far (code page, as given).
    const std::vector<std::string>& MessageBoxes() const { return m_boxes; }
    int Presents() const { return m_presents; }

protected:
    bool GameDisplayOffered() override;
    std::unique_ptr<FrameBuffer> MakeScreen() override;

private:
    HeadlessOptions m_options;
    uint32_t m_clock = kHeadlessClockStart;
    std::vector<uint32_t> m_heldKeys;
    std::vector<std::string> m_boxes;
    int m_presents = 0;
};

std::unique_ptr<PlatformBackend> MakeHeadlessBackend(const PlatformSettings& settings);
// Replaces the backend in use with a fresh headless one and returns it.
HeadlessBackend& UseHeadlessPlatform(const HeadlessOptions& options);
// The backend in use when it is the headless one, else null.
HeadlessBackend* ActiveHeadlessPlatform();
