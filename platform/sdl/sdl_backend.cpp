#include "platform/sdl/sdl_backend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/code_page.h"
#include "platform/png_writer.h"
#include "platform/sdl/sdl_library.h"

namespace {

// Keys that stand in for the device's buttons.
uint32_t VirtualKeyOf(SDL_Keycode key)
{
    switch (key) {
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        return VK_SELECT;
    default:
        return 0;
    }
}

class SdlBackend : public PlatformBackend {
public:
    explicit SdlBackend(const PlatformSettings& settings) : PlatformBackend(settings)
    {
        m_start = std::chrono::steady_clock::now();
    }
    ~SdlBackend() override
    {
        if (!m_started)
            return;
        if (m_texture)
            Sdl().DestroyTexture(m_texture);
        if (m_renderer)
            Sdl().DestroyRenderer(m_renderer);
        if (window_sdl_)
            Sdl().DestroyWindow(window_sdl_);
        Sdl().QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool Start()
    {
        m_started = Sdl().InitSubSystem(SDL_INIT_VIDEO) == 0;
        return m_started;
    }

    const char* Name() const override { return "sdl"; }

    bool OpenHostWindow(const std::string& title) override
    {
        // The window is the device's screen as shown: turned with its orientation.
        const TurnedScreen shown = Shown();
        const int w = shown.Width();
        const int h = shown.Height();
        window_sdl_ =
            Sdl().CreateWindow(CodePageToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w * m_settings.scale, h * m_settings.scale, SDL_WINDOW_RESIZABLE);
        if (!window_sdl_) {
            std::fprintf(stderr, "tharnmoor: no SDL window: %s\n", Sdl().GetError());
            return false;
        }
        m_renderer = Sdl().CreateRenderer(window_sdl_, -1, SDL_RENDERER_ACCELERATED);
        if (!m_renderer) {
            m_renderer = Sdl().CreateRenderer(window_sdl_, -1, SDL_RENDERER_SOFTWARE);
        }
        if (!m_renderer) {
            std::fprintf(stderr, "tharnmoor: no SDL renderer: %s\n", Sdl().GetError());
            return false;
        }
        // Whole-number scaling with black bars keeps every device pixel square and sharp.
        Sdl().RenderSetLogicalSize(m_renderer, w, h);
        Sdl().RenderSetIntegerScale(m_renderer, SDL_TRUE);
        m_texture =
            Sdl().CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, w, h);
        if (!m_texture) {
            std::fprintf(stderr, "tharnmoor: no SDL texture: %s\n", Sdl().GetError());
            return false;
        }
        Sdl().StartTextInput();
        Present();
        return true;
    }

    void GatherInput() override
    {
        SDL_Event e;
        while (Sdl().PollEvent(&e)) {
            Translate(e);
        }
        RunScript();
    }

    bool HostKeyHeld(uint32_t vk) const override
    {
        const Uint8* keys = Sdl().GetKeyboardState(nullptr);
        auto down = [&](SDL_Keycode k) { return keys[Sdl().GetScancodeFromKey(k)] != 0; };
        switch (vk) {
        case VK_UP:
            return down(SDLK_UP);
        case VK_DOWN:
            return down(SDLK_DOWN);
        case VK_LEFT:
            return down(SDLK_LEFT);
        case VK_RIGHT:
            return down(SDLK_RIGHT);
        case VK_PRIOR:
            return down(SDLK_PAGEUP);
        case VK_NEXT:
            return down(SDLK_PAGEDOWN);
        case VK_SELECT:
            return down(SDLK_RETURN) || down(SDLK_SPACE) || down(SDLK_KP_ENTER);
        default:
            return false;
        }
    }

    void MessageBox(const std::string& title, const std::string& text) override
    {
        std::string t = CodePageToUtf8(title);
        std::string m = CodePageToUtf8(text);
        std::fprintf(stderr, "tharnmoor: [%s] %s\n", t.c_str(), m.c_str());
        Sdl().ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, t.c_str(), m.c_str(), window_sdl_);
    }

    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    uint32_t Ticks() override
    {
        auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
        // Far from 0 at start, as timers rely on.
        return static_cast<uint32_t>(ms.count()) + 0x10000000u;
    }

    bool OpenInput() override { return true; }

    int RawFrameBuffer(RawFrameBufferInfo& out) override
    {
        out = Screen().Info();
        return 1;
    }

    void Present() override
    {
        if (!m_renderer || !m_texture) {
            return;
        }
        const TurnedScreen shown = Shown();
        const std::vector<uint16_t> pixels = shown.Pixels(Screen());
        Sdl().UpdateTexture(m_texture, nullptr, pixels.data(), shown.Width() * 2);
        Sdl().SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
        Sdl().RenderClear(m_renderer);
        Sdl().RenderCopy(m_renderer, m_texture, nullptr, nullptr);
        Sdl().RenderPresent(m_renderer);
    }

    bool Screenshot(const std::string& name) override
    {
        // What the window shows, at its own size (scale and bars included).
        if (!m_renderer) {
            return false;
        }
        Present();
        int w = 0;
        int h = 0;
        if (Sdl().GetRendererOutputSize(m_renderer, &w, &h) != 0 || w <= 0 || h <= 0) {
            return false;
        }
        std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
        // Reading back ignores the logical size, so read the whole output.
        Sdl().RenderSetLogicalSize(m_renderer, 0, 0);
        int rc = Sdl().RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGB24, rgb.data(), w * 3);
        Sdl().RenderSetLogicalSize(m_renderer, Shown().Width(), Shown().Height());
        return rc == 0 && WritePngFile(ShotPath(name), w, h, rgb);
    }

private:
    void Translate(const SDL_Event& e)
    {
        switch (e.type) {
        case SDL_QUIT:
            Post(WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                Post(WM_ACTIVATE, 0, 0);
            } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                Post(WM_ACTIVATE, 1, 0);
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                Present();
            }
            break;
        case SDL_KEYDOWN:
            if (uint32_t vk = VirtualKeyOf(e.key.keysym.sym)) {
                // Repeats arrive while a key is held, as the device sends them.
                Post(WM_KEYDOWN, vk, e.key.repeat ? 0x40000001 : 1);
            }
            break;
        case SDL_TEXTINPUT:
            for (char32_t c : Utf8ToUnicode(e.text.text)) {
                if (c <= 0xFFFF) {
                    Post(WM_CHAR, static_cast<uintptr_t>(c), 1);
                }
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT) {
                m_penDown = true;
                Post(WM_LBUTTONDOWN, 1, PenParam(e.button.x, e.button.y));
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT && m_penDown) {
                m_penDown = false;
                Post(WM_LBUTTONUP, 0, PenParam(e.button.x, e.button.y));
            }
            break;
        case SDL_MOUSEMOTION:
            // A stylus only moves while it touches the screen.
            if (m_penDown) {
                Post(WM_MOUSEMOVE, 1, PenParam(e.motion.x, e.motion.y));
            }
            break;
        default:
            break;
        }
    }

    // Mouse positions arrive in pixels of the screen as shown already (the
    // renderer's logical size maps them); keep them on the screen.
    intptr_t PenParam(int x, int y) const
    {
        const TurnedScreen shown = Shown();
        x = std::clamp(x, 0, shown.Width() - 1);
        y = std::clamp(y, 0, shown.Height() - 1);
        return MakePointParam(x, y);
    }

    SDL_Window* window_sdl_ = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    bool m_penDown = false;
    bool m_started = false;
    std::chrono::steady_clock::time_point m_start;
};

}  // namespace

std::unique_ptr<PlatformBackend> MakeSdlBackend(const PlatformSettings& settings, std::string* why)
{
    if (LoadSdl() == nullptr) {
        if (why) {
            *why = std::string("SDL2 cannot be loaded (") + LoadSdlError() + ")";
        }
        return nullptr;
    }
    auto backend = std::make_unique<SdlBackend>(settings);
    if (!backend->Start()) {
        if (why) {
            *why = std::string("SDL video unavailable (") + Sdl().GetError() + ")";
        }
        return nullptr;
    }
    return backend;
}
