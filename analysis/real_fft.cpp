#include "analysis/real_fft.h"

#include <fftw3.h>

#include <map>
#include <mutex>

namespace {
std::mutex& plan_mutex() {
    static std::mutex m;
    return m;
}

// One plan per size for the life of the process; plans are few (one per
// frame length and the spectrogram window) and cheap to keep.
fftwf_plan plan_for(int n) {
    std::lock_guard<std::mutex> lock(plan_mutex());
    static std::map<int, fftwf_plan> plans;
    auto it = plans.find(n);
    if (it != plans.end())
        return it->second;
    // Planned on arrays of the same alignment as every object's own arrays
    // (fftwf_malloc), so the new-array execute interface may be used.
    float* in = fftwf_alloc_real(size_t(n));
    fftwf_complex* out = fftwf_alloc_complex(size_t(n / 2 + 1));
    fftwf_plan p = nullptr;
    if (in && out)
        p = fftwf_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    fftwf_free(in);
    fftwf_free(out);
    if (p)
        plans.emplace(n, p);
    return p;
}
} // namespace

real_fft::~real_fft() {
    release();
}

void real_fft::release() {
    fftwf_free(in_);
    fftwf_free(out_);
    in_ = nullptr;
    out_ = nullptr;
    plan_ = nullptr;
    n_ = 0;
}

bool real_fft::resize(int n) {
    if (n == n_ && plan_)
        return true;
    release();
    if (n < 2)
        return false;
    fftwf_plan p = plan_for(n);
    in_ = fftwf_alloc_real(size_t(n));
    out_ = reinterpret_cast<std::complex<float>*>(fftwf_alloc_complex(size_t(n / 2 + 1)));
    if (!p || !in_ || !out_) {
        release();
        return false;
    }
    plan_ = p;
    n_ = n;
    return true;
}

void real_fft::execute() {
    if (!plan_)
        return;
    fftwf_execute_dft_r2c(static_cast<fftwf_plan>(plan_), in_,
                          reinterpret_cast<fftwf_complex*>(out_));
}
