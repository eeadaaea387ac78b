#pragma once
// Readers of the art we author as text under data/: font glyph grids,
// palettes, palette lists and sound recipes. Each returns false with a
// message naming the source and line when the text is not well formed or
// would give a resource the game cannot take.

#include <string>
#include <vector>

#include "tools/encode/font_encoder.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

// A font: "height H", optional "bytes B", then glyphs, each a line
// "glyph <code>" (decimal, 0x hex or a quoted character 'c') followed by H
// rows written between bars, '#' for a set pixel and '.' for a clear one; the
// row length is the glyph's advance width ("||" is a glyph of width 0).
// Codes between the lowest and highest given get empty glyphs of width 0.
// '#' at the start of a line outside a glyph is a comment.
bool ParseFontSource(const std::string& text, const std::string& name, FontSource& font, std::string& error);

// A palette: lines "<index> #rrggbb" or "<first>-<last> ramp #rrggbb
// #rrggbb" (a straight blend, both ends included); all 256 entries must be
// given exactly once.
bool ParsePaletteSource(const std::string& text, const std::string& name, std::vector<Rgb>& colours,
                        std::string& error);

// A palette list: one palette name per line, in id order.
bool ParsePaletteListSource(const std::string& text, const std::string& name, std::vector<std::string>& names,
                            std::string& error);

// A sound recipe: "rate R", "bits 8|16", "volume P" (percent of full scale),
// then "note <sine|square|triangle> <start Hz> <end Hz> <ms> [attack ms]
// [release ms]" and "rest <ms>" lines, played one after the other.
// Synthesis is integer arithmetic only, so the same recipe gives the same
// bytes everywhere.
bool SynthesizeSoundSource(const std::string& text, const std::string& name, WavSource& sound,
                           std::string& error);
