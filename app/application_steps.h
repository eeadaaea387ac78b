#pragma once
// The runner of the application start-up table: the order, log framing and
// failure rules of the steps, apart from which steps exist.

#include <cstdint>

// One step of the application start-up. A step with a manager name is
// framed in the log ("Initializing X...", then "X initialization ok." or
// "X initialization failed.", nested one level); a step without one logs
// nothing of its own. Every stop runs at shutdown, in reverse order,
// whatever the start-up reached, so each must be safe after a failed or
// skipped start. A table ends with an entry whose start is null.
struct ApplicationStep {
    const char* manager;
    bool (*start)();
    void (*stop)();
};

// Starts the steps in order until one fails; true when all started.
bool RunApplicationSteps(const ApplicationStep* steps);
// Stops every step of the table, last first.
void StopApplicationSteps(const ApplicationStep* steps);
