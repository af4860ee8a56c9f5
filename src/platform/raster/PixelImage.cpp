#include "platform/raster/PixelImage.h"

#include <algorithm>
#include <sys/mman.h>

namespace kl {

namespace {

constexpr std::size_t kHugePage = std::size_t(1) << 21;

// A mapping of at least `bytes` that starts on a huge page; nullptr when none can be had.
void* hugeMapping(std::size_t bytes, std::size_t& mapped) {
    mapped = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory =
        ::mmap(nullptr, mapped + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    // Huge pages need an aligned start: the mapping is one huge page longer, its ends given back.
    auto* start = static_cast<unsigned char*>(memory);
    auto* aligned = reinterpret_cast<unsigned char*>(
        (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1));
    if (aligned > start) ::munmap(start, std::size_t(aligned - start));
    const std::size_t tail = std::size_t(start + mapped + kHugePage - (aligned + mapped));
    if (tail > 0) ::munmap(aligned + mapped, tail);
    ::madvise(aligned, mapped, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    ::madvise(aligned, mapped, MADV_POPULATE_WRITE); // refused by kernels before 5.14: faults then
#endif
    return aligned;
}

} // namespace

PixelImage::PixelImage(int width, int height, std::uint32_t fill) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    const std::size_t bytes = count * sizeof(std::uint32_t);
    if (bytes >= kHugePage) {
        mapped_ = hugeMapping(bytes, mappedBytes_);
        pixels_ = static_cast<std::uint32_t*>(mapped_);
    }
    if (!pixels_) {
        pixels_ = new std::uint32_t[count]();
    } else if (fill == 0) {
        return; // a new mapping is all zeros
    }
    if (fill != 0) std::fill_n(pixels_, count, fill);
}

PixelImage::~PixelImage() {
    if (mapped_)
        ::munmap(mapped_, mappedBytes_);
    else
        delete[] pixels_;
}

} // namespace kl
