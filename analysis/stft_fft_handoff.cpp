#include "analysis/stft_fft_handoff.h"

#include <deque>
#include <mutex>
#include <new>

namespace {
struct registry {
    std::mutex lock;
    std::deque<unsigned char*> pending; // oldest first
    ~registry() {
        for (unsigned char* p : pending)
            delete[] p;
    }
};

registry& reg() {
    static registry r;
    return r;
}
} // namespace

unsigned char* stft_fft_buffer_new(size_t bytes) {
    unsigned char* p = new (std::nothrow) unsigned char[bytes];
    if (!p)
        return nullptr;
    registry& r = reg();
    std::lock_guard<std::mutex> guard(r.lock);
    r.pending.push_back(p);
    while (r.pending.size() > stft_fft_buffer_keep) {
        delete[] r.pending.front();
        r.pending.pop_front();
    }
    return p;
}

std::unique_ptr<unsigned char[]> stft_fft_buffer_take(unsigned char* buffer) {
    if (!buffer)
        return nullptr;
    registry& r = reg();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto it = r.pending.begin(); it != r.pending.end(); ++it) {
        if (*it == buffer) {
            r.pending.erase(it);
            return std::unique_ptr<unsigned char[]>(buffer);
        }
    }
    return nullptr;
}

size_t stft_fft_buffer_pending() {
    registry& r = reg();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.pending.size();
}
