#include "language/ExtraText.h"
#include "ui/main/DesktopApp.h"
#include "util/Version.h"
#include "util/WorkDir.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QTextStream>

#include <optional>

namespace {

constexpr zendrik::ExtraText kNoWorkDir{"Der Arbeitsordner kann nicht angelegt werden:",
                                        "The working folder cannot be created:",
                                        "Le dossier de travail ne peut pas être créé :"};
constexpr zendrik::ExtraText kUsage{"Aufruf: zendrik [--dir ORDNER] [PROGRAMM.zpg]",
                                    "usage: zendrik [--dir FOLDER] [PROGRAM.zpg]",
                                    "usage : zendrik [--dir DOSSIER] [PROGRAMME.zpg]"};

// Before the start screen no language is chosen: the desktop's language.
zendrik::ExtraLanguage desktopLanguage()
{
    switch (QLocale::system().language()) {
    case QLocale::German:
        return zendrik::ExtraLanguage::German;
    case QLocale::French:
        return zendrik::ExtraLanguage::French;
    default:
        return zendrik::ExtraLanguage::English;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The version needs no display.
    for (int i = 1; i < argc; ++i) {
        if (QByteArrayView(argv[i]) == "--version") {
            QTextStream(stdout) << "zendrik " << zendrik::kProgramVersion << Qt::endl;
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(zendrik::kAppTitel);
    QApplication::setApplicationVersion(QString::fromLatin1(zendrik::kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("org.zendrik.Zendrik"));

    std::optional<QString> givenDir;
    QString file;
    QStringList args = QApplication::arguments().mid(1);
    QTextStream err(stderr);
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--dir") && !args.isEmpty()) {
            givenDir = QDir(args.takeFirst()).absolutePath();
        } else if (arg.startsWith(QLatin1String("--")) || !file.isEmpty()) {
            err << kUsage.in(desktopLanguage()) << Qt::endl;
            return 2;
        } else {
            file = QDir::current().absoluteFilePath(arg);
        }
    }

    // The program works in one folder: settings, brand file, data files and
    // program files all live there. Started from a build, it is the folder
    // it was started in; installed, the user's own folder, filled with the
    // shipped files on first start (never overwriting the user's).
    const QString shipped = zendrik::ShippedDataDir(QApplication::applicationDirPath());
    const QString workDir = givenDir ? *givenDir
                                     : zendrik::ChooseWorkDir(QString(), shipped,
                                                              zendrik::UserWorkDir(qEnvironmentVariable("XDG_DATA_HOME"),
                                                                                   QDir::homePath()),
                                                              QDir::currentPath());
    if (!shipped.isEmpty() && zendrik::PrepareWorkDir(workDir, shipped) != zendrik::PrepareResult::Ok) {
        QMessageBox::critical(nullptr, zendrik::kAppTitel, kNoWorkDir.in(desktopLanguage()) + QLatin1Char('\n') + workDir);
        return 1;
    }

    zendrik::DesktopApp desktop(workDir);
    QObject::connect(&desktop, &zendrik::DesktopApp::exitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    if (!file.isEmpty())
        desktop.openAfterStart(file);
    if (!desktop.start())
        return 1;
    return QApplication::exec();
}
