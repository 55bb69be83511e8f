#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace zendrik {

// What stands at a path the outside world hands us. Only a regular file is
// read: a pipe would block the program, a device such as /dev/zero never
// ends, and a folder has no content.
enum class FileState {
    Regular,
    Missing,
    NotRegular, // a folder, a device, a pipe or a socket
    NoPermission,
    LinkLoop,   // too many levels of symbolic links
    Unreadable, // any other reason the system gives
};

// The state of a file to be read, following symbolic links; a regular
// file that may not be read is NoPermission.
FileState CheckInputFile(const QString& path);

// Why nothing can be written under `path`, in plain words: empty when it may
// be written (a regular file or none yet; a symbolic link is written through
// to its target), else the refusal with its reason ("a
// folder", "Permission denied", or the system's reason such as a name too
// long), never a reading reason.
QString OutputTargetProblem(const QString& path);

// The reason in plain words, for the messages of the file writer (whose
// other reasons come from the system in the same language).
QString FileStateReason(FileState state);

// Reads a regular file of at most `limit` bytes. Anything else, a larger
// file or a read error gives an empty result and the state (TooLarge reads
// as Unreadable). Never blocks on a pipe and never reads without end.
struct LimitedRead {
    FileState state = FileState::Missing;
    bool tooLarge = false;
    QByteArray data;

    bool ok() const { return state == FileState::Regular && !tooLarge; }
};
LimitedRead ReadRegularFile(const QString& path, qint64 limit);

// The lines of a small text file whose lines end in CR LF, LF or a lone CR
// (as editors of every system leave them), without their line ends.
QList<QByteArray> SplitLines(const QByteArray& text);

} // namespace zendrik
