#pragma once

#include <QFont>

namespace scanbench {

// The window lays itself out for "Courier New" (the editor) and "Arial" (the
// read-outs). Fonts with the same metrics ship inside the program, Liberation
// Mono and Liberation Sans, so the layout is the same on every machine
// whatever fonts it has installed.

// Registers the shipped fonts once per process and maps the names "Courier
// New" and "Arial" onto them for machines that lack those fonts. The font
// functions below do it themselves; the program calls it at start so that
// every window finds the names mapped.
void RegisterWindowFonts();

// The editor's "Courier New" at `pixelSize`.
[[nodiscard]] QFont EditorFontOfSize(int pixelSize);
// The read-outs' "Arial" bold at `pixelSize`.
[[nodiscard]] QFont ReadoutFontOfSize(int pixelSize);
// "Arial" regular at `pixelSize`, for captions.
[[nodiscard]] QFont LabelFontOfSize(int pixelSize);

} // namespace scanbench
