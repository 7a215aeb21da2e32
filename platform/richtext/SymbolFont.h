#pragma once
// The Symbol font places Greek letters and mathematical signs on Latin code points; documents
// written with it are shown with the Unicode characters those glyphs stand for.

// A byte of text set in the Symbol font; bytes with no glyph of their own map to themselves.
char16_t symbolToUnicode(unsigned char byte);

// Word processors also write Symbol glyphs as \u with the private-use codes U+F020 to U+F0FF.
char16_t symbolPrivateUseToUnicode(char16_t code);
