#include "analysis/FftComplex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kernels {

bool IsPowerOfTwo(size_t value) { return value != 0 && (value & (value - 1)) == 0; }

namespace {

// Prime factors up to this size get a butterfly of their own; a larger one goes to the chirp.
constexpr size_t kLargestButterfly = 61;

Complex Add(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
Complex Sub(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
Complex Scale(Complex a, double s) { return {a.re * s, a.im * s}; }
// -i·a
Complex TimesMinusI(Complex a) { return {a.im, -a.re}; }

// Radices of a length, fours first (fewest passes), then the primes in rising order; empty when a
// prime factor is too large for a butterfly.
std::vector<size_t> Radices(size_t n) {
    std::vector<size_t> radices;
    while (n % 4 == 0) {
        radices.push_back(4);
        n /= 4;
    }
    for (size_t p = 2; p <= kLargestButterfly && n > 1; ++p) {
        while (n % p == 0) {
            radices.push_back(p);
            n /= p;
        }
    }
    if (n > 1) radices.clear();
    return radices;
}

size_t ConvolutionSize(size_t length) {
    size_t size = 1;
    while (size < 2 * length - 1) size *= 2;
    return size;
}

// b_u = sum_t a_t e^(-2πi tu/r) for the radices with a butterfly of their own; `unit` holds
// e^(-2πi/r)^e at unit[e * unitStep] for the general one.
void SmallDft(size_t r, const Complex* a, Complex* b, const Complex* unit, size_t unitStep) {
    switch (r) {
        case 2:
            b[0] = Add(a[0], a[1]);
            b[1] = Sub(a[0], a[1]);
            return;
        case 3: {
            constexpr double kSin = 0.86602540378443864676;  // sin(2π/3)
            const Complex t1 = Add(a[1], a[2]);
            const Complex m1 = Sub(a[0], Scale(t1, 0.5));
            const Complex m2 = Scale(TimesMinusI(Sub(a[1], a[2])), kSin);
            b[0] = Add(a[0], t1);
            b[1] = Add(m1, m2);
            b[2] = Sub(m1, m2);
            return;
        }
        case 4: {
            const Complex s02 = Add(a[0], a[2]);
            const Complex d02 = Sub(a[0], a[2]);
            const Complex s13 = Add(a[1], a[3]);
            const Complex d13 = TimesMinusI(Sub(a[1], a[3]));
            b[0] = Add(s02, s13);
            b[1] = Add(d02, d13);
            b[2] = Sub(s02, s13);
            b[3] = Sub(d02, d13);
            return;
        }
        case 5: {
            constexpr double kC1 = 0.30901699437494742410;   // cos(2π/5)
            constexpr double kC2 = -0.80901699437494742410;  // cos(4π/5)
            constexpr double kS1 = 0.95105651629515357212;   // sin(2π/5)
            constexpr double kS2 = 0.58778525229247312917;   // sin(4π/5)
            const Complex t1 = Add(a[1], a[4]);
            const Complex t2 = Add(a[2], a[3]);
            const Complex t3 = Sub(a[1], a[4]);
            const Complex t4 = Sub(a[2], a[3]);
            const Complex m1 = Add(a[0], Add(Scale(t1, kC1), Scale(t2, kC2)));
            const Complex m2 = Add(a[0], Add(Scale(t1, kC2), Scale(t2, kC1)));
            const Complex n1 = TimesMinusI(Add(Scale(t3, kS1), Scale(t4, kS2)));
            const Complex n2 = TimesMinusI(Sub(Scale(t3, kS2), Scale(t4, kS1)));
            b[0] = Add(a[0], Add(t1, t2));
            b[1] = Add(m1, n1);
            b[4] = Sub(m1, n1);
            b[2] = Add(m2, n2);
            b[3] = Sub(m2, n2);
            return;
        }
        default:
            for (size_t u = 0; u < r; ++u) {
                Complex sum = a[0];
                for (size_t t = 1; t < r; ++t) {
                    sum = Add(sum, Mul(a[t], unit[(t * u % r) * unitStep]));
                }
                b[u] = sum;
            }
    }
}

}  // namespace

ComplexDft::ComplexDft(size_t length) : length_(length) {
    if (length_ <= 1) return;
    const std::vector<size_t> radices = Radices(length_);
    if (radices.empty()) {
        // X_k = w_k * sum_j (x_j w_j) conj(w_(k-j)): the chirped input convolved with the
        // conjugate chirp.
        const size_t n = length_;
        const size_t size = ConvolutionSize(n);
        convolution_ = new ComplexDft(size);
        chirp_.resize(n);
        for (size_t j = 0; j < n; ++j) {
            // j² mod 2N exactly, so that the angle stays small and keeps its digits.
            const uint64_t square = (static_cast<uint64_t>(j) * j) % (2 * static_cast<uint64_t>(n));
            const double angle = std::numbers::pi * static_cast<double>(square) / static_cast<double>(n);
            chirp_[j] = {std::cos(angle), -std::sin(angle)};
        }
        filter_.assign(size, Complex{});
        filter_[0] = {chirp_[0].re, -chirp_[0].im};
        for (size_t j = 1; j < n; ++j) {
            const Complex conj{chirp_[j].re, -chirp_[j].im};
            filter_[j] = conj;
            filter_[size - j] = conj;
        }
        std::vector<Complex> scratch(convolution_->ScratchSize());
        convolution_->Forward(filter_.data(), scratch.data());
        const double scale = 1.0 / static_cast<double>(size);
        for (Complex& f : filter_) f = Scale(f, scale);
        return;
    }
    // Each root straight from sin/cos (a recurrence would lose digits over long transforms); the
    // upper half mirrors the lower.
    roots_.resize(length_);
    for (size_t j = 0; j <= length_ / 2; ++j) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(j) / static_cast<double>(length_);
        roots_[j] = {std::cos(angle), -std::sin(angle)};
        if (j != 0) roots_[length_ - j] = {roots_[j].re, -roots_[j].im};
    }
    size_t span = length_;
    size_t stride = 1;
    for (size_t r : radices) {
        stages_.push_back({r, span, stride});
        span /= r;
        stride *= r;
    }
}

ComplexDft::~ComplexDft() { delete convolution_; }

size_t ComplexDft::ScratchSize() const {
    if (convolution_ != nullptr) return 2 * convolution_->Length() + convolution_->ScratchSize();
    return length_;
}

void ComplexDft::Forward(Complex* data, Complex* scratch) const {
    if (length_ <= 1) return;
    if (convolution_ != nullptr) {
        Chirp(data, scratch);
    } else {
        Stockham(data, scratch);
    }
}

// Self-sorting passes: each splits transforms of `span` points, interleaved at `stride`, into
// `radix` transforms of span/radix points, ping-ponging between data and scratch.
void ComplexDft::Stockham(Complex* data, Complex* scratch) const {
    Complex* x = data;
    Complex* y = scratch;
    Complex a[kLargestButterfly];
    Complex b[kLargestButterfly];
    for (const Stage& stage : stages_) {
        const size_t r = stage.radix;
        const size_t m = stage.span / r;
        const size_t s = stage.stride;
        const size_t rootStep = length_ / stage.span;  // e^(-2πi/span) = roots_[rootStep]
        const Complex* unit = roots_.data();
        const size_t unitStep = length_ / r;
        for (size_t p = 0; p < m; ++p) {
            for (size_t q = 0; q < s; ++q) {
                for (size_t t = 0; t < r; ++t) a[t] = x[q + s * (p + t * m)];
                SmallDft(r, a, b, unit, unitStep);
                Complex* out = y + q + s * r * p;
                out[0] = b[0];
                for (size_t u = 1; u < r; ++u) out[s * u] = Mul(b[u], roots_[p * u * rootStep]);
            }
        }
        std::swap(x, y);
    }
    if (x != data) std::copy(x, x + length_, data);
}

void ComplexDft::Chirp(Complex* data, Complex* scratch) const {
    const size_t n = length_;
    const size_t size = convolution_->Length();
    Complex* work = scratch;
    Complex* inner = scratch + size;
    for (size_t j = 0; j < n; ++j) work[j] = Mul(data[j], chirp_[j]);
    std::fill(work + n, work + size, Complex{});
    convolution_->Forward(work, inner);
    // The inverse transform as the conjugate of the forward transform of the conjugate.
    for (size_t k = 0; k < size; ++k) {
        const Complex product = Mul(work[k], filter_[k]);
        work[k] = {product.re, -product.im};
    }
    convolution_->Forward(work, inner);
    for (size_t k = 0; k < n; ++k) data[k] = Mul({work[k].re, -work[k].im}, chirp_[k]);
}

RealDftPlan::RealDftPlan(size_t length)
    : length_(length),
      halved_(length >= 2 && length % 2 == 0),
      dft_(halved_ ? length / 2 : length) {
    if (!halved_) return;
    split_.resize(length_ / 2 + 1);
    for (size_t k = 0; k < split_.size(); ++k) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(length_);
        split_[k] = {std::cos(angle), -std::sin(angle)};
    }
}

size_t RealDftPlan::ScratchSize() const { return dft_.Length() + dft_.ScratchSize(); }

void RealDftPlan::Transform(const double* x, Complex* out, Complex* scratch) const {
    const size_t n = length_;
    if (n == 0) return;
    Complex* z = scratch;
    Complex* inner = scratch + dft_.Length();
    if (!halved_) {
        for (size_t j = 0; j < n; ++j) z[j] = {x[j], 0.0};
        dft_.Forward(z, inner);
        std::copy(z, z + n / 2 + 1, out);
        return;
    }
    // Even samples as real parts, odd as imaginary: one transform of N/2 points gives both halves'
    // spectra E and O, and X_k = E_k + e^(-2πi k/N) O_k.
    const size_t h = n / 2;
    for (size_t j = 0; j < h; ++j) z[j] = {x[2 * j], x[2 * j + 1]};
    dft_.Forward(z, inner);
    for (size_t k = 0; k <= h; ++k) {
        const Complex zk = z[k % h];
        const Complex zc{z[(h - k % h) % h].re, -z[(h - k % h) % h].im};
        const Complex even = Scale(Add(zk, zc), 0.5);
        const Complex odd = Scale(TimesMinusI(Sub(zk, zc)), 0.5);
        out[k] = Add(even, Mul(split_[k], odd));
    }
}

}  // namespace kernels
