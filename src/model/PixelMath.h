#pragma once
// Pixel arithmetic that cannot overflow. Widths, heights and scroll positions
// come from sheet files and may hold any 32-bit value; the stored values are
// kept as they are, and only the pixels computed from them are bounded:
// a width or height in pixels lies within +-kMaxPixelSize, a coordinate
// within +-kMaxCoord, so that the difference of two coordinates (and a
// coordinate plus a size) still fits an int.
#include <cmath>
#include <cstdint>

constexpr int kMaxPixelSize = 1 << 20; // a million pixels, far beyond any screen
constexpr int kMaxCoord = (1 << 30) - 1;

constexpr int ClampPixelSize(std::int64_t v) {
    return v > kMaxPixelSize    ? kMaxPixelSize
           : v < -kMaxPixelSize ? -kMaxPixelSize
                                : static_cast<int>(v);
}

constexpr int ClampCoord(std::int64_t v) {
    return v > kMaxCoord ? kMaxCoord : v < -kMaxCoord ? -kMaxCoord : static_cast<int>(v);
}

// A size measured in floating point, truncated toward zero (not a number: 0).
inline int PixelSizeFromDouble(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= kMaxPixelSize)
        return kMaxPixelSize;
    if (v <= -kMaxPixelSize)
        return -kMaxPixelSize;
    return static_cast<int>(v);
}

// The product of two ints wrapped to 32 bits, as the platform's arithmetic
// does it, without undefined behaviour (used where the results are compared as
// unsigned numbers).
constexpr unsigned WrapMul(std::int64_t a, std::int64_t b) {
    return static_cast<unsigned>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
}
