#pragma once
// PNG written for speed, for the pictures of the batch commands.

#include <QByteArray>
#include <QImage>

namespace kl {

// The picture as PNG: 8-bit RGB rows filtered by their left neighbour ("Sub", which turns runs of
// one colour into zeros), deflated in one block of fixed Huffman codes whose only matches are a
// run of the previous byte and the bytes one row up. Lossless; half the time of zlib's run-length
// level 1 for the program's drawings, at about the same size.
QByteArray quickPngBytes(const QImage& image);

// An RGB32 image for a batch picture, its memory mapped in one piece (huge pages where the system
// allows them) rather than faulted in page by page as the first fill touches it. Its pixels are
// undefined until drawn.
QImage batchPictureImage(int width, int height);

} // namespace kl
