#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>

#include "platform/code_page.h"
#include "platform/png_writer.h"

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options)
    : PlatformBackend(options.settings), options_(options) {
    closeAfterFetches_ = options.closeAfterSteps;
}

bool HeadlessBackend::OpenHostWindow(const std::string&) {
    return !options_.refuseWindow && !(script_ && script_->Refuses("window"));
}

bool HeadlessBackend::OpenInput() { return !options_.refuseInput && !(script_ && script_->Refuses("input")); }

int HeadlessBackend::RawFrameBuffer(RawFrameBufferInfo& out) {
    if (options_.refuseRawAccess || (script_ && script_->Refuses("raw")) || !GameDisplayOffered()) {
        return 0;
    }
    out = Screen().Info();
    return 1;
}

bool HeadlessBackend::GameDisplayOffered() {
    return !options_.refuseDisplay && !(script_ && script_->Refuses("display"));
}

bool HeadlessBackend::HostKeyHeld(uint32_t virtualKey) const {
    return std::find(heldKeys_.begin(), heldKeys_.end(), virtualKey) != heldKeys_.end();
}

void HeadlessBackend::SetKeyHeld(uint32_t virtualKey, bool held) {
    auto it = std::find(heldKeys_.begin(), heldKeys_.end(), virtualKey);
    if (held && it == heldKeys_.end()) {
        heldKeys_.push_back(virtualKey);
    } else if (!held && it != heldKeys_.end()) {
        heldKeys_.erase(it);
    }
}

void HeadlessBackend::MessageBox(const std::string& title, const std::string& text) {
    // Nobody is there to press OK: record it, say it, and go on at once.
    boxes_.push_back(text);
    std::fprintf(stderr, "tharnmoor: [%s] %s\n", CodePageToUtf8(title).c_str(), CodePageToUtf8(text).c_str());
}

bool HeadlessBackend::Screenshot(const std::string& name) {
    FrameBuffer& screen = Screen();
    return WritePngFile(ShotPath(name), screen.Width(), screen.Height(), screen.ToRgb());
}

std::unique_ptr<FrameBuffer> HeadlessBackend::MakeScreen() {
    return std::make_unique<FrameBuffer>(settings_.screenWidth, settings_.screenHeight, options_.format,
                                         options_.xStride, options_.yStride);
}

std::unique_ptr<PlatformBackend> MakeHeadlessBackend(const PlatformSettings& settings) {
    HeadlessOptions options;
    options.settings = settings;
    return std::make_unique<HeadlessBackend>(options);
}

HeadlessBackend& UseHeadlessPlatform(const HeadlessOptions& options) {
    auto backend = std::make_unique<HeadlessBackend>(options);
    HeadlessBackend& ref = *backend;
    InstallPlatform(std::move(backend));
    return ref;
}

HeadlessBackend* ActiveHeadlessPlatform() { return dynamic_cast<HeadlessBackend*>(&CurrentPlatform()); }
