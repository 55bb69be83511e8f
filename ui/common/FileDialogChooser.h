#pragma once

#include "app/FileChooser.h"

namespace zendrik {

// Program files chosen in the platform's file dialog, filter "*.zpg" then
// "*.*". The save dialog does not ask before overwriting: the save command
// asks its own question.
class FileDialogChooser : public FileChooser {
public:
    QString chooseOpenFile() override;
    QString chooseSaveFile(const QString& current) override;
    QString chooseTranslationFile() override;
};

} // namespace zendrik
