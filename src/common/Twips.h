#pragma once
// Window geometry is kept in twips: 1440 per inch at the screen's logical
// DPI, 15 per pixel at 96 DPI.
namespace quillary {

inline constexpr double kTwipsPerInch = 1440.0;

int twipsToPixels(double twips, double dpi = 96.0);
double pixelsToTwips(int pixels, double dpi = 96.0);

}  // namespace quillary
