#pragma once
// The game's one single-byte code page (Windows-1252). Text input is turned
// into it, and message-box texts are turned out of it for the host system.

#include <cstdint>
#include <string>

// The byte of a Unicode character (a UTF-16 unit from a char message); '?'
// when the code page has no such character.
uint8_t UnicodeToCodePage(uint32_t codePoint);
// The Unicode character of a code-page byte (the five unassigned bytes map to
// themselves, as the host system does).
uint32_t CodePageToUnicode(uint8_t byte);
// Whole code-page texts to UTF-8, for the host system's message boxes and logs.
std::string CodePageToUtf8(const std::string& text);
// Decodes UTF-8 (as text input arrives) into Unicode characters; malformed
// bytes become U+FFFD.
std::u32string Utf8ToUnicode(const std::string& text);
