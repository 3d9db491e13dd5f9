#pragma once
// Whole files in tests: what a file holds now (empty when it cannot be read), and writing one.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zbtest {

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

} // namespace zbtest
