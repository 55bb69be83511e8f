#pragma once

#include <QString>

namespace zendrik {

// Where the file commands get a file name from. The desktop program shows a
// file dialog, tests and scripts hand over a prepared name. An empty name
// means the user chose none.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A program file to open (as program or as sample).
    virtual QString chooseOpenFile() = 0;
    // A name to save the program under; `current` is the name it has now.
    virtual QString chooseSaveFile(const QString& current) = 0;
    // A translation file ("*.ln1") to install as a further language.
    virtual QString chooseTranslationFile() = 0;
};

} // namespace zendrik
