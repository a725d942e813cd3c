#include "ui/common/flags.hpp"

#include <cmath>

namespace quadrel::flags {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlue = 0x012169, kRed = 0xC8102E;

// Whether pixel `at` lies in the band of `part` / `whole` of `extent` pixels, centred, its width
// of the same parity as the extent so that it sits exactly in the middle.
bool InCentredBand(int at, int extent, double part, double whole) {
    const auto margin = static_cast<int>(std::lround((extent - extent * part / whole) / 2.0));
    return at >= margin && at < extent - margin;
}

// The saltire at (u, v) of the Union Flag's 60 x 30 field: white, 6 wide, with a red band 2 wide
// beside each diagonal, below it in the hoist half and above it in the fly half (counterchanged).
std::uint32_t SaltireAt(double u, double v) {
    const double falling = (2.0 * v - u) / std::sqrt(5.0);       // below the top-left diagonal
    const double rising = (u + 2.0 * v - 60.0) / std::sqrt(5.0); // below the top-right diagonal
    const double side = u < 30.0 ? 1.0 : -1.0;
    const auto red = [side](double below) { return side * below > 0.0 && side * below < 2.0; };
    if (red(falling) || red(rising))
        return kRed;
    return std::abs(falling) < 3.0 || std::abs(rising) < 3.0 ? kWhite : kBlue;
}

std::uint32_t UnionPixel(int x, int y, int width, int height) {
    if (InCentredBand(x, width, 6, 60) || InCentredBand(y, height, 6, 30))
        return kRed;
    if (InCentredBand(x, width, 10, 60) || InCentredBand(y, height, 10, 30))
        return kWhite;
    // The diagonals, smoothed: each channel averaged over 4 x 4 samples.
    std::uint32_t sums[3] = {8, 8, 8}, average = 0; // 8 rounds the division by 16
    for (int sample = 0; sample < 16; ++sample) {
        const std::uint32_t colour = SaltireAt((x + (sample % 4 + 0.5) / 4) * 60.0 / width,
                                               (y + (sample / 4 + 0.5) / 4) * 30.0 / height);
        for (int channel = 0; channel < 3; ++channel)
            sums[channel] += colour >> 8 * channel & 0xFF;
    }
    for (int channel = 0; channel < 3; ++channel)
        average |= sums[channel] / 16 << 8 * channel;
    return average;
}

} // namespace

std::vector<std::uint32_t> FlagPicture(int flag, int width, int height) {
    std::vector<std::uint32_t> pixels;
    const int first = static_cast<int>(std::lround(width / 3.0));
    const int second = static_cast<int>(std::lround(width * 2 / 3.0));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(flag == 1    ? UnionPixel(x, y, width, height)
                             : x < first  ? 0x009246 // green
                             : x < second ? kWhite
                                          : 0xCE2B37); // red
        }
    }
    return pixels;
}

} // namespace quadrel::flags
