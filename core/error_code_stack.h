#pragma once
// The error-code stack: layers pass a 32-bit code to each other by pushing
// it; the caller pops it. 25 entries; a push onto a full stack replaces the
// newest code. A code whose bits 8-15 are all set asks the program to quit:
// the push calls the quit handler that the core start-up installs.
#include <cstdint>

constexpr int32_t ErrorCodeStackSize = 25;

// Empties the stack. True.
bool ResetErrorCodes();
// Stores the code on top (replacing the newest when full); returns it.
uint32_t PushErrorCode(uint32_t code);
// The newest code, removed; 0 when the stack is empty.
uint32_t PopErrorCode();
int32_t ErrorCodeCount();

constexpr bool IsQuitRequestCode(uint32_t code)
{
    return (code & 0xFF00u) == 0xFF00u;
}

using QuitRequestHandler = void (*)();
// The function called for quit-request codes (the core's RequestQuit).
void SetQuitRequestHandler(QuitRequestHandler handler);
