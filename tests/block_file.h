#pragma once

#include <QFile>
#include <QString>
#include <QtEndian>

// Reads a single-instance block the way another copy of the program would see it.
struct BlockContents {
    bool exists = false;
    quint32 windowHandle = 0;
    qint32 instanceCount = 0;
};

inline BlockContents readBlockFile(const QString& path) {
    BlockContents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return contents;
    }
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8) {
        return contents;
    }
    contents.exists = true;
    contents.windowHandle = qFromLittleEndian<quint32>(bytes.constData());
    contents.instanceCount = qFromLittleEndian<qint32>(bytes.constData() + 4);
    return contents;
}
