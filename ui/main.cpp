#include "ui/main/DesktopApp.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(zendrik::kAppTitel);

    // The program works in the directory it is started in: settings, brand
    // file, data files and program files all live there.
    zendrik::DesktopApp desktop(QDir::currentPath());
    QObject::connect(&desktop, &zendrik::DesktopApp::exitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty())
        desktop.openAfterStart(QDir::current().absoluteFilePath(args.first()));
    if (!desktop.start())
        return 1;
    return QApplication::exec();
}
