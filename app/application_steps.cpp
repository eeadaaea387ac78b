#include "app/application_steps.h"

#include "core/log.h"
#include "core/ref_string.h"

namespace {

void LogStep(const char* before, const char* manager, const char* after)
{
    CStr line("MAIN: ");
    line.AppendChars(before);
    line.AppendChars(manager);
    line.AppendChars(after);
    LogWrite(line);
}

}  // namespace

bool RunApplicationSteps(const ApplicationStep* steps)
{
    bool ok = true;
    for (const ApplicationStep* step = steps; step->start && ok; ++step) {
        if (!step->manager) {
            ok = step->start();
            continue;
        }
        LogStep("Initializing ", step->manager, "...");
        LogEnter();
        ok = step->start() && ok;
        LogLeave();
        LogStep("", step->manager, ok ? " initialization ok." : " initialization failed.");
    }
    return ok;
}

void StopApplicationSteps(const ApplicationStep* steps)
{
    const ApplicationStep* end = steps;
    while (end->start) {
        ++end;
    }
    while (end != steps) {
        --end;
        if (end->stop) {
            end->stop();
        }
    }
}
