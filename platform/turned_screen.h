#pragma once
// The device's screen as its person sees it. The panel is drawn as it stands
// in the hardware (the raw frame buffer), but a device turned to another
// display orientation shows that panel turned, reports its screen size turned
// (width and height swapped at 90 and 270 degrees) and reports stylus points
// on the turned screen. The game turns each point back onto the panel; the
// backends turn the panel's picture the same way, so that a tap lands on what
// is shown under it.

#include <cstdint>
#include <vector>

class FrameBuffer;

class TurnedScreen {
public:
    // A panel of that size shown at a display orientation: 0, 1 (90 degrees),
    // 2 (180) or 4 (270); any other value shows it as it stands.
    TurnedScreen(int panelWidth, int panelHeight, int orientation);

    // The size of the screen as shown.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The panel pixel shown at point (x, y) of the screen.
    void PanelPoint(int x, int y, int& panelX, int& panelY) const;
    // The point of the screen that shows panel pixel (panelX, panelY).
    void ShownPoint(int panelX, int panelY, int& x, int& y) const;
    // The panel's stored pixels as shown: Width() x Height(), in rows.
    std::vector<uint16_t> Pixels(const FrameBuffer& panel) const;
    // The same as 8-bit RGB rows (for screenshots).
    std::vector<uint8_t> Rgb(const FrameBuffer& panel) const;

private:
    int m_orientation;
    int m_width;
    int m_height;
};
