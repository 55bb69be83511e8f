#include "ui/common/FileDialogChooser.h"

#include "language/TextTable.h"

#include <QApplication>
#include <QFileDialog>

namespace zendrik {

namespace {

const QString kFilter = QStringLiteral("*.zpg (*.zpg);;*.* (*)");

} // namespace

QString FileDialogChooser::chooseOpenFile()
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), kAppTitel, QString(), kFilter);
}

QString FileDialogChooser::chooseSaveFile(const QString& current)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), kAppTitel, current, kFilter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString FileDialogChooser::chooseTranslationFile()
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), kAppTitel, QString(),
                                        QStringLiteral("*.ln1 (*.ln1)"));
}

} // namespace zendrik
