#include "model/BrandFile.h"

#include "model/SequentialReader.h"
#include "util/FileCheck.h"

#include <QFile>

namespace zendrik {

int BrandIndexOfCode(const QString& code)
{
    static const char* const kCodes[12] = {"QBA", "QBB", "QBC", "QBD", "QBE", "QBF",
                                           "QBG", "QBH", "QBI", "QBJ", "QBK", "QBL"};
    for (int i = 0; i < 12; ++i) {
        const QString upper = QString::fromLatin1(kCodes[i]);
        const QString lower = upper.toLower();
        const QString title = upper.left(1) + lower.mid(1);
        if (code == upper || code == lower || code == title)
            return i + 1;
    }
    return 0;
}

int ReadBrandFile(const QString& path)
{
    const LimitedRead read = ReadRegularFile(path, 4096);
    if (!read.ok())
        return 0;
    SequentialReader reader(read.data);
    return BrandIndexOfCode(reader.readText());
}

} // namespace zendrik
