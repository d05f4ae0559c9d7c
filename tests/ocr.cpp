#include "ocr.h"

#include <QProcess>
#include <QTemporaryDir>

QString ReadTextInImage(const QImage& image) {
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("window.png"));
    // Small 8-point text reads far better for OCR when enlarged.
    if (!image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
             .save(png)) {
        return {};
    }
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"), {png, QStringLiteral("stdout")});
    if (!ocr.waitForFinished(60000) || ocr.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(ocr.readAllStandardOutput()).simplified();
}
