#pragma once
// Complex transforms behind the fast Fourier-series sums: a radix-2 transform of a power-of-two
// size, and a transform of any length built on it by the chirp-z convolution.

#include <cstddef>
#include <vector>

namespace kernels {

struct Complex {
    double re = 0;
    double im = 0;
};

inline Complex Mul(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// Radix-2 transform of a fixed power-of-two size, twiddles tabulated once.
class Radix2Fft {
public:
    explicit Radix2Fft(size_t size);
    size_t Size() const { return size_; }
    // X_k = sum x_j e^(-2πi jk/size), in place.
    void Forward(Complex* data) const;
    // x_j = sum X_k e^(+2πi jk/size), in place, unscaled.
    void Inverse(Complex* data) const;

private:
    void Run(Complex* data, bool inverse) const;
    size_t size_;
    std::vector<Complex> twiddles_;  // stage of half-size h from h - 1: e^(-πi j/h), j < h
};

// Discrete transform of one fixed length N (any N >= 1) of real samples.
class RealDftPlan {
public:
    explicit RealDftPlan(size_t length);
    size_t Length() const { return length_; }
    // out[k] = sum_j x[j] e^(-2πi jk/N) for k = 0 .. N-1; out holds N entries.
    void Transform(const double* x, Complex* out) const;

private:
    size_t length_;
    bool chirp_;                     // false: the length is a power of two, transformed directly
    Radix2Fft fft_;                  // of the length itself, or of the convolution size
    std::vector<Complex> chirp_w_;   // e^(-πi j²/N)
    std::vector<Complex> filter_;    // transform of the conjugate chirp, wrapped
    mutable std::vector<Complex> work_;
};

bool IsPowerOfTwo(size_t value);

}  // namespace kernels
