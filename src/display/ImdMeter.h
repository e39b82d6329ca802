#pragma once
// The IMD meter's scale: four colour zones over 0..50 dB.
namespace quillary {

class PictureBox;

void drawImdScale(PictureBox& picture);

}  // namespace quillary
