#include "platform/turned_screen.h"

#include "platform/frame_buffer.h"

TurnedScreen::TurnedScreen(int panelWidth, int panelHeight, int orientation)
    : m_orientation(orientation == 1 || orientation == 2 || orientation == 4 ? orientation : 0),
      m_width(panelWidth),
      m_height(panelHeight)
{
    if (m_orientation == 1 || m_orientation == 4) {
        m_width = panelHeight;
        m_height = panelWidth;
    }
}

void TurnedScreen::PanelPoint(int x, int y, int& panelX, int& panelY) const
{
    switch (m_orientation) {
    case 1:
        panelX = y;
        panelY = m_width - x - 1;
        break;
    case 2:
        panelX = m_width - x - 1;
        panelY = m_height - y - 1;
        break;
    case 4:
        panelX = m_height - y - 1;
        panelY = x;
        break;
    default:
        panelX = x;
        panelY = y;
        break;
    }
}

void TurnedScreen::ShownPoint(int panelX, int panelY, int& x, int& y) const
{
    switch (m_orientation) {
    case 1:
        x = m_width - panelY - 1;
        y = panelX;
        break;
    case 2:
        x = m_width - panelX - 1;
        y = m_height - panelY - 1;
        break;
    case 4:
        x = panelY;
        y = m_height - panelX - 1;
        break;
    default:
        x = panelX;
        y = panelY;
        break;
    }
}

std::vector<uint16_t> TurnedScreen::Pixels(const FrameBuffer& panel) const
{
    std::vector<uint16_t> pixels(static_cast<size_t>(m_width) * m_height);
    size_t i = 0;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            int px = 0;
            int py = 0;
            PanelPoint(x, y, px, py);
            pixels[i++] = panel.Pixel(px, py);
        }
    }
    return pixels;
}

std::vector<uint8_t> TurnedScreen::Rgb(const FrameBuffer& panel) const
{
    const std::vector<uint16_t> pixels = Pixels(panel);
    std::vector<uint8_t> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        RawPixelToRgb(panel.Format(), pixels[i], rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    }
    return rgb;
}
