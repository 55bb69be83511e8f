#pragma once

#include <QString>

namespace zendrik {

bool FileExists(const QString& path);
// The part of a path after the last separator.
QString FileTitle(const QString& path);
// prefix & n & ".zpg" for the lowest n from 1 to 999 whose file does not
// exist in the directory; empty when all 999 exist.
QString NextFreeFileName(const QString& directory, const QString& prefix);

} // namespace zendrik
