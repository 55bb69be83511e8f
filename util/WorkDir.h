#pragma once

#include <QString>
#include <QStringList>

namespace zendrik {

// The program works in one folder: settings, brand file, holiday and place
// files, translations and the user's program files all live there. Run from
// a build or an unpacked folder it is the folder it was started in; an
// installed program (its data under <prefix>/share/zendrik beside
// <prefix>/bin) keeps a folder of its own per user, filled on first start
// with the shipped files.

// Where an installed program's shipped files are, or empty when the program
// is not installed (`applicationDir`: the folder of the executable).
QString ShippedDataDir(const QString& applicationDir);

// The per-user working folder: $XDG_DATA_HOME/zendrik, or
// ~/.local/share/zendrik when XDG_DATA_HOME is not set or not absolute.
QString UserWorkDir(const QString& xdgDataHome, const QString& home);

// The working folder to use: the one given with --dir, else the user's
// folder when installed, else the current folder.
QString ChooseWorkDir(const QString& given, const QString& shippedDir, const QString& userDir,
                      const QString& currentDir);

enum class PrepareResult {
    Ok,
    CannotCreate, // the folder could not be made
    NotAFolder,   // something else stands at its path
};

// Makes the folder if needed and copies every shipped file it lacks (the
// files of the shipped folder and the sample programs), never overwriting a
// file the user has. `copied` lists the names copied.
PrepareResult PrepareWorkDir(const QString& workDir, const QString& shippedDir, QStringList* copied = nullptr);

} // namespace zendrik
