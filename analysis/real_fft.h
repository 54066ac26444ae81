#pragma once
// Unnormalised forward real FFT in single precision:
// X_k = sum x_n * exp(-2*pi*i*k*n/N), k = 0..N/2.
// Plans are made once per size for the whole process (plan creation is not
// thread-safe, so it is serialised by a global lock) and reused; each
// real_fft owns its own aligned input and output arrays, so different
// objects may transform on different threads at the same time.
// Threading: one object per thread; construction from any thread.

#include <complex>
#include <cstddef>

class real_fft {
public:
    real_fft() = default;
    explicit real_fft(int n) { resize(n); }
    ~real_fft();
    real_fft(const real_fft&) = delete;
    real_fft& operator=(const real_fft&) = delete;

    // Makes the object transform blocks of n samples (n >= 2). Reallocates
    // only when n changes. Returns false when memory or a plan cannot be had.
    bool resize(int n);
    int size() const { return n_; }
    float* input() { return in_; }
    // n/2 + 1 coefficients.
    const std::complex<float>* output() const { return out_; }
    void execute();

private:
    void release();
    int n_ = 0;
    float* in_ = nullptr;
    std::complex<float>* out_ = nullptr;
    void* plan_ = nullptr;
};
