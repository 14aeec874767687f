// Rotation of a whole picture about its centre, one scan line at a time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvadel {

struct TPixelRows {
    std::uint32_t *Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0; // pixels from one row to the next

    std::uint32_t *Row(int y) const { return Bits + Stride * y; }
};

// Copies every pixel of `source` whose colour (compared under `colorMask`)
// differs from `background` to
//   (trunc(cx + cos a (i - cx) - sin a (j - cy)), trunc(cy + sin a (i - cx) + cos a (j - cy)))
// in `target`, with cx = W / 2 and cy = H / 2; pixels landing outside are
// dropped. The caller fills `target` with the background first. Background
// pixels are never carried, so they cannot wipe a drawn pixel that landed on
// the same place. Both pictures have the same size.
void RotatePixels(const TPixelRows &source, const TPixelRows &target, double angle, std::uint32_t background,
                  std::uint32_t colorMask);

} // namespace corvadel
