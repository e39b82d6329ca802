#pragma once
// The window is designed in "Arial", "Georgia" and "Consolas". Where those
// are not installed (a free desktop), the closest free fonts stand in for
// them, so captions keep the widths the layout was made for:
// Liberation Sans (metric-compatible with Arial), DejaVu Serif and
// Inconsolata. An installed original is still used.
namespace quillary {

void installFontSubstitutes();

}  // namespace quillary
