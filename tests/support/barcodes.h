#pragma once

// Reads the barcodes drawn on a page as a scanner would: the page rendered to
// an image and decoded with zbarimg (zbar-tools).

#include <QImage>
#include <QStringList>

namespace testsupport {

bool barcodeReaderAvailable();
// The texts of every barcode found on the image, sorted.
QStringList decodeBarcodes(const QImage &image);

} // namespace testsupport
