#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace vaptest {

/** The whole content of a file, or `missing` when it cannot be read. */
inline QByteArray readFile(const QString& path, const QByteArray& missing = {}) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : missing;
}

/** Writes bytes to a file, replacing it; false when any of them is not written. */
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool writeFile(const QString& path, const std::string& bytes) {
    return writeFile(path, QByteArray::fromStdString(bytes));
}

} // namespace vaptest
