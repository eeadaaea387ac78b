#pragma once
// The log: the data file "zkvlog". Each line is one TAB per nesting level,
// the text, then the three bytes blank, CR, LF, appended in binary with the
// file opened and closed for every line (so it survives a crash up to its
// last complete line). Logging is off until LogOpen and after LogStop; a
// write reached again from inside a write is dropped.
#include <cstdint>

#include "core/ref_string.h"

constexpr const char* LogFileName = "zkvlog";

// Deletes the previous log, resets the depth and turns logging on. True.
bool LogOpen();
void LogWrite(const char* text);
inline void LogWrite(const CStr& text)
{
    LogWrite(text.Chars());
}
// Turns logging off for good.
void LogStop();

// The nesting depth: callers raise it around a nested step.
uint16_t LogDepth();
void LogEnter();
// Lowers the depth; never below 0.
void LogLeave();
