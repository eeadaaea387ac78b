#include "platform/platform_backend.h"

#include <cstdio>

PlatformBackend::PlatformBackend(const PlatformSettings& settings) : m_settings(settings) {}

bool PlatformBackend::RegisterClass(const std::string& name, WindowProc proc)
{
    if (name.empty() || !proc || m_classes.count(name)) {
        return false;
    }
    m_classes[name] = proc;
    return true;
}

WindowHandle PlatformBackend::CreateWindow(const std::string& className, const std::string& title)
{
    auto it = m_classes.find(className);
    if (it == m_classes.end() || m_window != 0) {
        return 0;
    }
    if (!OpenHostWindow(title)) {
        return 0;
    }
    m_windowProc = it->second;
    m_window = 1;
    return m_window;
}

WindowProc PlatformBackend::ProcOf(WindowHandle window) const
{
    return (window != 0 && window == m_window) ? m_windowProc : nullptr;
}

void PlatformBackend::Post(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    m_queue.push_back(WindowMessage{m_window, message, wParam, lParam});
}

bool PlatformBackend::Take(WindowMessage& out)
{
    if (m_queue.empty()) {
        return false;
    }
    out = m_queue.front();
    m_queue.pop_front();
    return true;
}

bool PlatformBackend::KeyHeld(uint32_t virtualKey) const
{
    return (m_heldForStep != 0 && m_heldForStep == virtualKey) || HostKeyHeld(virtualKey);
}

FrameBuffer& PlatformBackend::Screen()
{
    if (!m_screen) {
        m_screen = MakeScreen();
    }
    return *m_screen;
}

std::unique_ptr<FrameBuffer> PlatformBackend::MakeScreen()
{
    return std::make_unique<FrameBuffer>(m_settings.screenWidth, m_settings.screenHeight, RAW_FORMAT_565);
}

void PlatformBackend::LoadScriptFromSettings()
{
    if (m_settings.script.empty()) {
        return;
    }
    auto script = std::make_unique<InputScript>();
    if (!script->Load(m_settings.script)) {
        std::fprintf(stderr, "tharnmoor: %s; no scripted input\n", script->Error().c_str());
        return;
    }
    m_script = std::move(script);
}

void PlatformBackend::GatherInput()
{
    RunScript();
}

void PlatformBackend::RunScript()
{
    m_heldForStep = 0;
    ++m_fetches;
    bool ended = false;
    if (m_script) {
        InputScript::Sink sink;
        sink.post = [this](uint32_t m, uintptr_t w, intptr_t l) { Post(m, w, l); };
        sink.holdKeyForStep = [this](uint32_t vk) { m_heldForStep = vk; };
        sink.shot = [this](const std::string& name) {
            if (!Screenshot(name)) {
                std::fprintf(stderr, "tharnmoor: cannot write the screenshot %s\n", ShotPath(name).c_str());
            }
        };
        ended = !m_script->Advance(Ticks(), sink);
    } else {
        ended = m_closeAfterFetches != 0 && m_fetches >= m_closeAfterFetches;
    }
    if (!ended) {
        return;
    }
    // The run ends by itself: ask to close, and ask again now and then in case
    // a listener vetoed it (for instance with a question nobody answers).
    if (m_closeFetch == 0 || m_fetches - m_closeFetch >= kCloseRepeat) {
        m_closeFetch = m_fetches;
        Post(WM_CLOSE, 0, 0);
    }
}

std::string PlatformBackend::ShotPath(const std::string& name) const
{
    std::string folder = m_settings.shots;
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder + name;
}

bool PlatformBackend::OpenGameDisplay(WindowHandle window)
{
    if (window == 0 || window != m_window || !GameDisplayOffered()) {
        return false;
    }
    m_gameDisplayOpen = true;
    return true;
}

GXDisplayProperties PlatformBackend::GameDisplayProperties()
{
    GXDisplayProperties properties;
    if (!m_gameDisplayOpen) {
        return properties;
    }
    const RawFrameBufferInfo info = Screen().Info();
    properties.cxWidth = static_cast<uint32_t>(info.width);
    properties.cyHeight = static_cast<uint32_t>(info.height);
    properties.cbxPitch = info.xStride;
    properties.cbyPitch = info.yStride;
    properties.cBPP = info.bitsPerPixel;
    properties.ffFormat = info.format == RAW_FORMAT_565   ? kfDirect565
                          : info.format == RAW_FORMAT_555 ? kfDirect555
                                                          : 0;
    return properties;
}

void* PlatformBackend::BeginGameDisplayDraw()
{
    if (!m_gameDisplayOpen) {
        return nullptr;
    }
    m_drawing = true;
    return Screen().Info().frame;
}
