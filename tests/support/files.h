#pragma once
// Files for tests: a file's bytes, bytes written to a file, and the sample data copied into a
// folder of the test's own.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

namespace vardo::testing {

// The file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes as the whole file; true when all were written.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Copies the files of the sample data (the workbooks) into folder, all but those named in
// `except`; true when every copy was made.
inline bool copySampleData(const QString& folder, const QStringList& except = {}) {
    const QDir sample(QStringLiteral(VARDO_SAMPLE_DATA));
    bool all = true;
    for (const QString& name : sample.entryList(QDir::Files))
        if (!except.contains(name))
            all = QFile::copy(sample.filePath(name), QDir(folder).filePath(name)) && all;
    return all;
}

}  // namespace vardo::testing
