#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace zendrik {

inline const QString kBusLogFileName = QStringLiteral("protocol.txt");

// protocol.txt: one text line per step of a bus action, emptied when the
// action starts. Lines go to the file as they come (Windows-1252, CR LF), so
// the log of an action that ends abruptly still tells how far it got.
class BusLog {
public:
    BusLog() = default;
    // Empties and opens the log; false (with error()) when it cannot be
    // written. The action goes on without a log then.
    bool start(const QString& path);
    void line(const QString& text);
    void close();

    // Every line since start().
    const QStringList& lines() const { return lines_; }
    const QString& error() const { return error_; }

private:
    QFile file_;
    QStringList lines_;
    QString error_;
};

} // namespace zendrik
