#pragma once

#include <QImage>
#include <QString>

// The text a person would read in a picture of a window, by OCR (tesseract), with runs of
// white space folded into single blanks. Empty when the OCR program fails.
QString ReadTextInImage(const QImage& image);
