#pragma once
// PNG written for speed, for the pictures of the batch commands.

#include "platform/raster/PixelImage.h"

#include <string>

namespace kl {

// The picture as PNG: 8-bit RGB rows filtered by their left neighbour ("Sub", which turns runs of
// one colour into zeros), deflated in one block of fixed Huffman codes whose only matches are a
// run of the previous byte and the bytes one row up. Lossless; half the time of zlib's run-length
// level 1 for the program's drawings, at about the same size. An image of no pixels is refused
// by PNG itself (width and height are at least 1): the caller makes sure of a size.
std::string quickPngBytes(const PixelImage& image);

} // namespace kl
