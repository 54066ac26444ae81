#pragma once
// Colour bar buffers travel from the analysis worker to the view as a raw
// pointer in a queued signal, and the receiver owns what it receives. A
// queued signal can be dropped (its receiver closed before delivery), which
// would leak the buffer, so every buffer sent is registered here:
// - the receiver calls stft_fft_buffer_take() and owns the result; a null
//   result means the buffer was already reclaimed and must not be touched;
// - buffers nobody took are freed once stft_fft_buffer_keep newer ones were
//   sent, and all remaining ones at process exit.
// Threading: any thread; one internal lock.

#include <cstddef>
#include <memory>

constexpr size_t stft_fft_buffer_keep = 8;

// A registered buffer of the given size, or null when memory is short.
unsigned char* stft_fft_buffer_new(size_t bytes);
// Hands the buffer over to the caller (null when it is not registered).
std::unique_ptr<unsigned char[]> stft_fft_buffer_take(unsigned char* buffer);
// Buffers sent and not taken yet.
size_t stft_fft_buffer_pending();
