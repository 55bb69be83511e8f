#pragma once

#include "language/TextTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zendrik::test {

using Loader = void (TextTable::*)(int);

inline TextTable Loaded(Loader load, int brand = 1)
{
    TextTable t;
    (t.*load)(brand);
    return t;
}

// The number of entries in which two tables differ.
inline int CountDiffering(const TextTable& a, const TextTable& b)
{
    int n = 0;
    for (int i = 0; i < kTextCount; ++i)
        n += a.text(static_cast<TextId>(i)) != b.text(static_cast<TextId>(i)) ? 1 : 0;
    return n;
}

// A test with a folder of its own for the files it reads and writes.
class FolderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // Writes the bytes to a file of the folder and gives its path.
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << qPrintable(name);
        return f.fileName();
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

} // namespace zendrik::test
