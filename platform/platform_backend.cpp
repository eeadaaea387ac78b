#include "platform/platform_backend.h"

#include <cstdio>

PlatformBackend::PlatformBackend(const PlatformSettings& settings) : settings_(settings) {}

bool PlatformBackend::RegisterClass(const std::string& name, WindowProc proc) {
    if (name.empty() || !proc || classes_.count(name)) {
        return false;
    }
    classes_[name] = proc;
    return true;
}

WindowHandle PlatformBackend::CreateWindow(const std::string& className, const std::string& title) {
    auto it = classes_.find(className);
    if (it == classes_.end() || window_ != 0) {
        return 0;
    }
    if (!OpenHostWindow(title)) {
        return 0;
    }
    windowProc_ = it->second;
    window_ = 1;
    return window_;
}

WindowProc PlatformBackend::ProcOf(WindowHandle window) const {
    return (window != 0 && window == window_) ? windowProc_ : nullptr;
}

void PlatformBackend::Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    queue_.push_back(WindowMessage{window_, message, wParam, lParam});
}

bool PlatformBackend::Take(WindowMessage& out) {
    if (queue_.empty()) {
        return false;
    }
    out = queue_.front();
    queue_.pop_front();
    return true;
}

bool PlatformBackend::KeyHeld(uint32_t virtualKey) const {
    return (heldForStep_ != 0 && heldForStep_ == virtualKey) || HostKeyHeld(virtualKey);
}

FrameBuffer& PlatformBackend::Screen() {
    if (!screen_) {
        screen_ = MakeScreen();
    }
    return *screen_;
}

std::unique_ptr<FrameBuffer> PlatformBackend::MakeScreen() {
    return std::make_unique<FrameBuffer>(settings_.screenWidth, settings_.screenHeight, RAW_FORMAT_565);
}

void PlatformBackend::LoadScriptFromSettings() {
    if (settings_.script.empty()) {
        return;
    }
    auto script = std::make_unique<InputScript>();
    if (!script->Load(settings_.script)) {
        std::fprintf(stderr, "tharnmoor: %s; no scripted input\n", script->Error().c_str());
        return;
    }
    script_ = std::move(script);
}

void PlatformBackend::GatherInput() { RunScript(); }

void PlatformBackend::RunScript() {
    heldForStep_ = 0;
    ++fetches_;
    bool ended = false;
    if (script_) {
        InputScript::Sink sink;
        sink.post = [this](uint32_t m, uintptr_t w, intptr_t l) { Post(m, w, l); };
        sink.holdKeyForStep = [this](uint32_t vk) { heldForStep_ = vk; };
        sink.shot = [this](const std::string& name) {
            if (!Screenshot(name)) {
                std::fprintf(stderr, "tharnmoor: cannot write the screenshot %s\n", ShotPath(name).c_str());
            }
        };
        ended = !script_->Advance(Ticks(), sink);
    } else {
        ended = closeAfterFetches_ != 0 && fetches_ >= closeAfterFetches_;
    }
    if (!ended) {
        return;
    }
    // The run ends by itself: ask to close, and ask again now and then in case
    // a listener vetoed it (for instance with a question nobody answers).
    if (closeFetch_ == 0 || fetches_ - closeFetch_ >= kCloseRepeat) {
        closeFetch_ = fetches_;
        Post(WM_CLOSE, 0, 0);
    }
}

std::string PlatformBackend::ShotPath(const std::string& name) const {
    std::string folder = settings_.shots;
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder + name;
}

bool PlatformBackend::OpenGameDisplay(WindowHandle window) {
    if (window == 0 || window != window_ || !GameDisplayOffered()) {
        return false;
    }
    gameDisplayOpen_ = true;
    return true;
}

GXDisplayProperties PlatformBackend::GameDisplayProperties() {
    GXDisplayProperties properties;
    if (!gameDisplayOpen_) {
        return properties;
    }
    const RawFrameBufferInfo info = Screen().Info();
    properties.cxWidth = static_cast<uint32_t>(info.width);
    properties.cyHeight = static_cast<uint32_t>(info.height);
    properties.cbxPitch = info.xStride;
    properties.cbyPitch = info.yStride;
    properties.cBPP = info.bitsPerPixel;
    properties.ffFormat = info.format == RAW_FORMAT_565 ? kfDirect565 : info.format == RAW_FORMAT_555 ? kfDirect555 : 0;
    return properties;
}

void* PlatformBackend::BeginGameDisplayDraw() {
    if (!gameDisplayOpen_) {
        return nullptr;
    }
    drawing_ = true;
    return Screen().Info().frame;
}
