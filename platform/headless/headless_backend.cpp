#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>

#include "platform/code_page.h"
#include "platform/png_writer.h"

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options)
    : PlatformBackend(options.settings), m_options(options)
{
    m_closeAfterFetches = options.closeAfterSteps;
}

bool HeadlessBackend::OpenHostWindow(const std::string&)
{
    return !m_options.refuseWindow && !(m_script && m_script->Refuses("window"));
}

bool HeadlessBackend::OpenInput()
{
    return !m_options.refuseInput && !(m_script && m_script->Refuses("input"));
}

int HeadlessBackend::RawFrameBuffer(RawFrameBufferInfo& out)
{
    if (m_options.refuseRawAccess || (m_script && m_script->Refuses("raw")) || !GameDisplayOffered()) {
        return 0;
    }
    out = Screen().Info();
    return 1;
}

bool HeadlessBackend::RefusesFileWrites() const
{
    return m_options.refuseWrites || (m_script && m_script->Refuses("writes"));
}

bool HeadlessBackend::GameDisplayOffered()
{
    return !m_options.refuseDisplay && !(m_script && m_script->Refuses("display"));
}

bool HeadlessBackend::HostKeyHeld(uint32_t virtualKey) const
{
    return std::find(m_heldKeys.begin(), m_heldKeys.end(), virtualKey) != m_heldKeys.end();
}

void HeadlessBackend::SetKeyHeld(uint32_t virtualKey, bool held)
{
    auto it = std::find(m_heldKeys.begin(), m_heldKeys.end(), virtualKey);
    if (held && it == m_heldKeys.end()) {
        m_heldKeys.push_back(virtualKey);
    } else if (!held && it != m_heldKeys.end()) {
        m_heldKeys.erase(it);
    }
}

void HeadlessBackend::MessageBox(const std::string& title, const std::string& text)
{
    // Nobody is there to press OK: record it, say it, and go on at once.
    m_boxes.push_back(text);
    std::fprintf(stderr, "tharnmoor: [%s] %s\n", CodePageToUtf8(title).c_str(), CodePageToUtf8(text).c_str());
}

bool HeadlessBackend::Screenshot(const std::string& name)
{
    const TurnedScreen shown = Shown();
    return WritePngFile(ShotPath(name), shown.Width(), shown.Height(), shown.Rgb(Screen()));
}

std::unique_ptr<FrameBuffer> HeadlessBackend::MakeScreen()
{
    return std::make_unique<FrameBuffer>(m_settings.screenWidth, m_settings.screenHeight, m_options.format,
                                         m_options.xStride, m_options.yStride);
}

std::unique_ptr<PlatformBackend> MakeHeadlessBackend(const PlatformSettings& settings)
{
    HeadlessOptions options;
    options.settings = settings;
    return std::make_unique<HeadlessBackend>(options);
}

HeadlessBackend& UseHeadlessPlatform(const HeadlessOptions& options)
{
    auto backend = std::make_unique<HeadlessBackend>(options);
    HeadlessBackend& ref = *backend;
    InstallPlatform(std::move(backend));
    return ref;
}

HeadlessBackend* ActiveHeadlessPlatform()
{
    return dynamic_cast<HeadlessBackend*>(&CurrentPlatform());
}
