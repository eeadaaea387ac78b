#pragma once
// The data the game cannot do without, checked once the application's
// managers are up: the rules, the missions, the squad types and the art of
// the windows, the map and the battle screen. Going on without any of them
// would play on wrong data or leave windows that do nothing.

// True when everything is there and reads. Otherwise the first missing or
// unreadable part is named in the log, the message box names the packs the
// resource manager refused (or that part, when it refused none), and false
// stops the start.
bool CheckGameData();
