#pragma once
// How the map mode's info panel ("MapInfoPanel") stacks its sections: the
// province details on top, the army and castle details below them while the
// province toggle is down, the panel never lower than its layout made it,
// and the camp army strip above it while the camp toggle is up. The sizes
// are the layout's own; the panels themselves are built and torn down again
// by the map window.

#include <cstdint>

#include "core/packed_geometry.h"

struct MapPanels;

class InfoPanelLayout {
public:
    // The sections' sizes, from the panels built first.
    void TakeSectionSizes(const MapPanels& panels);
    // The panel's own height, from each newly built one.
    void TakeMinimumHeight(const MapPanels& panels);
    // Places and shows the sections, the panel and the camp army strip.
    void Place(const MapPanels& panels) const;

private:
    PackedRect m_provinceDetailsRect = UndefinedRect;
    PackedRect m_armyDetailsRect = UndefinedRect;
    PackedRect m_castleDetailsRect = UndefinedRect;
    int16_t m_minInfoHeight = 0;
};
