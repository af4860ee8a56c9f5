#pragma once
// PNG written for speed, for the pictures of the batch commands.

#include <QByteArray>
#include <QImage>

namespace kl {

// The picture as PNG: 8-bit RGB rows filtered by their left neighbour ("Sub", which turns runs of
// one colour into zeros) and deflated with run-length matching at level 1. Lossless; a fraction
// of the time of the default encoder for the program's drawings, at a similar size.
QByteArray quickPngBytes(const QImage& image);

} // namespace kl
