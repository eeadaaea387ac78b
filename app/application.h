#pragma once
// The application layer's share of the program's life: the entry body, the
// ordered application start-up and shutdown that the core runs, and the
// factory through which the display obtains its drawing context.

#include <cstdint>

class CDrawContext;

// Stores the instance handle, starts the core, runs the main loop when the
// start succeeded, always shuts down; returns 0, or 1 when the start failed.
int WinMain(uintptr_t instance);
// Starts the application's managers in their fixed order, stopping at the
// first failure; true when every step started.
bool InitApplication();
// Shuts every step down in reverse order, whatever the start-up reached.
void ShutdownApplication();
// A new, empty drawing context owned by the caller; null when memory is short.
CDrawContext* CreateDrawContext();
