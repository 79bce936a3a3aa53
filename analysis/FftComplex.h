#pragma once
// Complex transforms behind the fast Fourier-series sums: a mixed-radix transform of any length
// whose prime factors are small, a chirp-z convolution for lengths with a large prime factor,
// and the transform of real samples built on them.

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

// X_k = sum x_j e^(-2πi jk/N) for one fixed length N >= 1. Built once, used from any number of
// threads at the same time: every call brings its own scratch.
class ComplexDft {
public:
    explicit ComplexDft(size_t length);
    ~ComplexDft();
    ComplexDft(const ComplexDft&) = delete;
    ComplexDft& operator=(const ComplexDft&) = delete;

    size_t Length() const { return length_; }
    // Entries of scratch a call needs.
    size_t ScratchSize() const;
    // In place; `scratch` holds ScratchSize() entries.
    void Forward(Complex* data, Complex* scratch) const;

private:
    struct Stage {
        size_t radix;
        size_t span;    // length of the sub-transform this stage splits
        size_t stride;  // distance between interleaved sub-transforms
    };
    void Stockham(Complex* data, Complex* scratch) const;
    void Chirp(Complex* data, Complex* scratch) const;

    size_t length_;
    std::vector<Stage> stages_;
    std::vector<Complex> roots_;  // e^(-2πi j/N), j < N
    // Lengths with a prime factor too large for a butterfly: X_k = w_k sum_j (x_j w_j) conj(w_(k-j)),
    // w_j = e^(-πi j²/N), a convolution done by transforms of a power-of-two size.
    ComplexDft* convolution_ = nullptr;
    std::vector<Complex> chirp_;   // w_j
    std::vector<Complex> filter_;  // transform of the conjugate chirp, wrapped and scaled
};

// Transform of one fixed length N of real samples, only the bins 0 .. N div 2 (the others are
// their conjugates). An even length is transformed as N/2 complex points.
class RealDftPlan {
public:
    explicit RealDftPlan(size_t length);
    size_t Length() const { return length_; }
    // Entries of scratch a call needs.
    size_t ScratchSize() const;
    // out[k] = sum_j x[j] e^(-2πi jk/N) for k = 0 .. N div 2; out holds N div 2 + 1 entries.
    void Transform(const double* x, Complex* out, Complex* scratch) const;

private:
    size_t length_;
    bool halved_;
    ComplexDft dft_;
    std::vector<Complex> split_;  // e^(-2πi k/N), k <= N div 2, for the even-length unpacking
};

bool IsPowerOfTwo(size_t value);

}  // namespace kernels
