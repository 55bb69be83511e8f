#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zendrik {

inline const QString kMessageFileName = QStringLiteral("zendrik.msg");

// zendrik.msg: the job for the adapter tool, written for every chip
// transfer. Six lines: direction ("s" write into the chip, "l" read it), the
// port setting, the delay factor as stored, the derived delay word, the
// user-interface language, and the file (the transfer copy on a parallel
// port, the program file's full path on a serial port). Numbers carry the
// sign position (a blank) in front and a blank after them.
struct MessageFile {
    QString direction;
    int lpt = 1;
    int delay = 0;
    int delayLang = 0;
    int sprache = 1;
    QString fileName;
};

QByteArray MessageFileText(const MessageFile& message);
// Empty when the text does not hold six such lines.
std::optional<MessageFile> ParseMessageFile(const QByteArray& text);

} // namespace zendrik
