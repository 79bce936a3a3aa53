#include <cmath>
#include <numbers>
#include <utility>

#include "analysis/Kernels.h"
#include "state/State.h"

// The transform works on positions 1 to n of the work arrays, position 0 unused, as every caller
// has laid its data out that way.

namespace {

void BitReversal(std::vector<double>& re, std::vector<double>& im, int32_t n) {
    int32_t j = 0;
    for (int32_t i = 1; i < n; ++i) {
        int32_t k = 2;
        while (j >= n / k) {
            j -= n / k;
            k *= 2;
        }
        j += n / k;
        if (i < j) {
            std::swap(re[i + 1], re[j + 1]);
            std::swap(im[i + 1], im[j + 1]);
        }
    }
}

// One butterfly of a stage of half-size h at position i with twiddle (ur, ui).
inline void Butterfly(std::vector<double>& re, std::vector<double>& im, int32_t i, int32_t h,
                      double ur, double ui) {
    const int32_t p = i + h;
    const double tr = ur * re[p] + ui * im[p];
    const double ti = ui * re[p] - ur * im[p];
    re[p] = re[i] - tr;
    im[p] = im[i] + ti;
    re[i] += tr;
    im[i] -= ti;
}

// m - 1 stages with the twiddle of each stage from the previous one by the half-angle formulas
// and one rotation per butterfly. The twiddle of position j in a group depends on j alone, so the
// stage runs group by group, restarting the rotation in each group: the same twiddles as walking
// every group for each j, but in memory order (power-of-two strides thrash the cache).
void ButterflyStages(std::vector<double>& re, std::vector<double>& im, int32_t n, int32_t m,
                     double direction) {
    double c = 1.0;
    int32_t h = 0;
    for (int32_t stage = 1; stage <= m - 1; ++stage) {
        h = stage == 1 ? 1 : 2 * h;
        const double s = direction * std::sqrt((1.0 - c) / 2.0);
        c = stage == 1 ? -std::sqrt((1.0 + c) / 2.0) : std::sqrt((1.0 + c) / 2.0);
        const auto rotate = [c, s](double& ur, double& ui) {
            const double next = ur * c - ui * s;
            ui = ui * c + ur * s;
            ur = next;
        };
        for (int32_t group = 0; group < n; group += 2 * h) {
            double ur = 1.0;
            double ui = 0.0;
            for (int32_t j = 1; j <= h; ++j) {
                Butterfly(re, im, group + j, h, ur, ui);
                rotate(ur, ui);
            }
        }
    }
}

// Separates the spectrum of the 2n real samples from the n-point complex transform, or joins it
// back for the inverse.
void SplitStep(std::vector<double>& re, std::vector<double>& im, int32_t n, double direction) {
    const double theta = std::numbers::pi / n;
    const double c = std::cos(theta);
    const double s = direction * std::sin(theta);

    const double t = re[1];
    re[1] = t + im[1];
    im[1] = t - im[1];
    if (direction != -1.0) {
        re[1] /= 2.0;
        im[1] /= 2.0;
    }

    double wr = direction;
    double wi = 0.0;
    for (int32_t i = 2; i <= n / 2; ++i) {
        const double next = wr * c - wi * s;
        wi = wi * c + wr * s;
        wr = next;
        const int32_t i2 = n - i + 2;
        const double sumRe = re[i] + re[i2];
        const double diffRe = re[i] - re[i2];
        const double sumIm = im[i] + im[i2];
        const double a = sumIm * wr - diffRe * wi;
        const double b = im[i] - im[i2];
        const double d = sumIm * wi + diffRe * wr;
        re[i] = (sumRe + a) / 2.0;
        im[i] = (b - d) / 2.0;
        re[i2] = (sumRe - a) / 2.0;
        im[i2] = -(b + d) / 2.0;
    }
    im[n / 2 + 1] = -im[n / 2 + 1];
}

bool ValidSize(const std::vector<double>& re, const std::vector<double>& im, int32_t n, int32_t m) {
    if (n < 2 || (n & (n - 1)) != 0) {
        return false;
    }
    int32_t bits = 1;  // log2(2n)
    for (int64_t size = 2; size < 2 * static_cast<int64_t>(n); size *= 2) {
        ++bits;
    }
    const size_t positions = static_cast<size_t>(n) + 1;
    return m == bits && re.size() >= positions && im.size() >= positions;
}

}  // namespace

KernelStatus RealFFT(int32_t n, int32_t m, int32_t direction) {
    return RealFFT(AnalysisResults.WorkRe, AnalysisResults.WorkIm, n, m, direction);
}

KernelStatus RealFFT(std::vector<double>& re, std::vector<double>& im, int32_t n, int32_t m,
                     int32_t direction) {
    if (!ValidSize(re, im, n, m)) {
        return KernelStatus::BadTransformSize;
    }
    if (direction == -1) {
        SplitStep(re, im, n, -1.0);
        BitReversal(re, im, n);
        ButterflyStages(re, im, n, m, -1.0);
        return KernelStatus::Done;
    }
    BitReversal(re, im, n);
    ButterflyStages(re, im, n, m, 1.0);
    SplitStep(re, im, n, 1.0);
    for (int32_t i = 1; i <= n; ++i) {
        re[i] /= n;
        im[i] /= n;
    }
    return KernelStatus::Done;
}
