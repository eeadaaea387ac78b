// What a random-event step hands to the controller's ReportRandomEvent.
#pragma once

#include <cstdint>

#include "game/army.h"
#include "game/resource_bundle.h"

class ProvinceRecord;

struct RandomEventReport {
    uint32_t kind = 0;
    ProvinceRecord* province = nullptr;
    CResourceBundle amounts;
    CArmy units;
};
