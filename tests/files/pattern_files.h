#pragma once

#include "core/image.h"
#include "files/channel_file.h"

#include <QFile>
#include <QTest>
#include <functional>

// Small file and image helpers shared by the channel file tests.

inline void write_file(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

inline QByteArray read_file(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets every cell the file holds from `value(row, column)` and returns the image.
inline r7k::Data_image fill_file_rows(const std::function<int(int, int)> &value,
                                      r7k::Data_image &image = r7k::chann)
{
    for (int row = 0; row < r7k::Channel_file::Rows; ++row)
        for (int column = 0; column < r7k::Channel_file::Columns; ++column)
            image(row, column) = qint16(value(row, column));
    return image;
}
