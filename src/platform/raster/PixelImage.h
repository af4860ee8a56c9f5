#pragma once
// An RGB picture in memory for the batch commands: 32-bit pixels 0xffRRGGBB, row after row, no
// padding (the layout of Qt's RGB32, so a window's image and this one hold the same bytes).

#include <cstddef>
#include <cstdint>

namespace kl {

class PixelImage {
  public:
    // width x height pixels (0 x 0 when either is not positive), all of them `fill` (black when
    // none is given; the top byte is not read). From 2 MiB up the memory is mapped in one piece,
    // on huge pages where the system allows them, and put in place at once rather than faulted in
    // page by page as the first drawing touches it.
    PixelImage(int width, int height, std::uint32_t fill = 0);
    ~PixelImage();
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* row(int y) { return pixels_ + std::size_t(y) * std::size_t(width_); }
    const std::uint32_t* row(int y) const { return pixels_ + std::size_t(y) * std::size_t(width_); }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }

  private:
    int width_ = 0, height_ = 0;
    std::uint32_t* pixels_ = nullptr;
    void* mapped_ = nullptr; // the mapping, when the pixels live in one
    std::size_t mappedBytes_ = 0;
};

} // namespace kl
