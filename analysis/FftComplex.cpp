#include "analysis/FftComplex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace kernels {

bool IsPowerOfTwo(size_t value) { return value != 0 && (value & (value - 1)) == 0; }

namespace {

size_t ConvolutionSize(size_t length) {
    size_t size = 1;
    while (size < 2 * length - 1) {
        size *= 2;
    }
    return size;
}

}  // namespace

Radix2Fft::Radix2Fft(size_t size) : size_(size), twiddles_(size > 0 ? size - 1 : 0) {
    // Each twiddle straight from sin/cos: a recurrence would lose digits over 2^17 points. The
    // twiddles of each stage are laid out one after the other so that a stage reads them in order.
    std::vector<Complex> base(size / 2);
    for (size_t k = 0; k < base.size(); ++k) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(size);
        base[k] = {std::cos(angle), -std::sin(angle)};
    }
    for (size_t half = 1; half < size; half *= 2) {
        const size_t step = size / (2 * half);
        for (size_t j = 0; j < half; ++j) {
            twiddles_[half - 1 + j] = base[j * step];
        }
    }
}

void Radix2Fft::Forward(Complex* data) const { Run(data, false); }
void Radix2Fft::Inverse(Complex* data) const { Run(data, true); }

void Radix2Fft::Run(Complex* data, bool inverse) const {
    const size_t n = size_;
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j |= bit;
        if (i < j) {
            std::swap(data[i], data[j]);
        }
    }
    const double sign = inverse ? -1.0 : 1.0;
    // Group by group in memory order: walking all groups per twiddle strides by a power of two
    // and thrashes the cache.
    for (size_t half = 1; half < n; half *= 2) {
        const Complex* stage = twiddles_.data() + (half - 1);
        for (size_t group = 0; group < n; group += 2 * half) {
            Complex* low = data + group;
            Complex* high = low + half;
            for (size_t j = 0; j < half; ++j) {
                const Complex w{stage[j].re, sign * stage[j].im};
                const Complex t = Mul(high[j], w);
                const Complex u = low[j];
                low[j] = {u.re + t.re, u.im + t.im};
                high[j] = {u.re - t.re, u.im - t.im};
            }
        }
    }
}

RealDftPlan::RealDftPlan(size_t length)
    : length_(length),
      chirp_(length != 0 && !IsPowerOfTwo(length)),
      fft_(chirp_ ? ConvolutionSize(length) : length),
      work_(fft_.Size()) {
    if (!chirp_) {
        return;
    }
    // X_k = w_k * sum_j (x_j w_j) conj(w_(k-j)) with w_j = e^(-πi j²/N): a convolution of the
    // chirped input with the conjugate chirp, done by transforms of the padded size.
    const size_t n = length_;
    const size_t size = fft_.Size();
    chirp_w_.resize(n);
    for (size_t j = 0; j < n; ++j) {
        // j² mod 2N exactly, so that the angle stays small and keeps its digits.
        const uint64_t square = (static_cast<uint64_t>(j) * j) % (2 * static_cast<uint64_t>(n));
        const double angle = std::numbers::pi * static_cast<double>(square) / static_cast<double>(n);
        chirp_w_[j] = {std::cos(angle), -std::sin(angle)};
    }
    filter_.assign(size, Complex{});
    filter_[0] = {chirp_w_[0].re, -chirp_w_[0].im};
    for (size_t j = 1; j < n; ++j) {
        const Complex conj{chirp_w_[j].re, -chirp_w_[j].im};
        filter_[j] = conj;
        filter_[size - j] = conj;
    }
    fft_.Forward(filter_.data());
    const double scale = 1.0 / static_cast<double>(size);
    for (Complex& f : filter_) {
        f = {f.re * scale, f.im * scale};
    }
}

void RealDftPlan::Transform(const double* x, Complex* out) const {
    const size_t n = length_;
    if (!chirp_) {
        for (size_t j = 0; j < n; ++j) {
            out[j] = {x[j], 0.0};
        }
        fft_.Forward(out);
        return;
    }
    for (size_t j = 0; j < n; ++j) {
        work_[j] = {x[j] * chirp_w_[j].re, x[j] * chirp_w_[j].im};
    }
    std::fill(work_.begin() + static_cast<std::ptrdiff_t>(n), work_.end(), Complex{});
    fft_.Forward(work_.data());
    for (size_t k = 0; k < work_.size(); ++k) {
        work_[k] = Mul(work_[k], filter_[k]);
    }
    fft_.Inverse(work_.data());
    for (size_t k = 0; k < n; ++k) {
        out[k] = Mul(work_[k], chirp_w_[k]);
    }
}

}  // namespace kernels
