#pragma once

#include <QString>
#include <QStringList>

namespace zendrik {

// The last program files opened or saved, newest first, for the file menu.
// Kept in a small file of our own in the working directory (one absolute
// path a line, UTF-8), not in the settings file whose 18 lines other
// programs read.
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;
    static constexpr const char* kFileName = "zendrik-recent.txt";

    explicit RecentFiles(QString workDir);

    // Reads the list; a missing or unreadable file is an empty list.
    void load();
    // Writes the list atomically; false when it could not be written.
    bool save() const;

    // A file was opened or saved: it moves to the top.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& files() const { return files_; }
    // Whether a listed file still exists (missing ones are shown disabled).
    static bool exists(const QString& path);

private:
    QString path_;
    QStringList files_;
};

} // namespace zendrik
