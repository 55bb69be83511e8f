#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/SiteCommands.h"
#include "util/Version.h"
#include "util/WorkDir.h"

#include "app/Settings.h"
#include "language/FileStateText.h"
#include "language/LanguageChoice.h"
#include "model/BrandFile.h"
#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramSetup.h"
#include "paint/GuiApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

using namespace zendrik;
using namespace zendrik::cli;

namespace {

void printUsage(QTextStream& s)
{
    s << "usage: zendrik-cli [--dir DIR] [--type N] [--lang de|en|fr] [--texts FILE] [--json] COMMAND ...\n"
         "       zendrik-cli --version | --help\n\ncommands:\n";
    for (const Command& c : commands()) {
        // The site command stands for its subcommands, each with its options.
        if (std::strcmp(c.name, "site") == 0) {
            for (const SiteCommand& sub : siteCommands())
                s << "  site " << sub.synopsis << '\n';
            continue;
        }
        s << "  " << c.synopsis << '\n';
    }
}

// The text table as the start screen leaves it: the language of --lang, or
// the remembered `Sprache` (speech.txt for a further language), then a
// translation file of --texts over it. Problems with a file are reported;
// a --texts file that cannot be read refuses the command.
int loadTexts(CliContext& ctx)
{
    if (!ctx.language.isEmpty()) {
        if (!ctx.selectLanguage(ctx.language))
            return ctx.usage(QStringLiteral("--lang takes de, en or fr"));
    } else {
        const TextFileResult chosen =
            SelectLanguage(ctx.texts, ctx.model.device.Sprache, ctx.model.device.BrandIndex, ctx.workDir);
        if (chosen.status != TextFileStatus::Ok)
            ctx.err << TextFilePrompt(chosen, kSpeechFileName).render(ctx.texts) << Qt::endl;
    }
    if (ctx.textsFile.isEmpty())
        return kExitOk;
    const TextFileResult read = ctx.texts.LoadTexts(ctx.textsFile);
    if (read.status == TextFileStatus::Ok)
        return kExitOk;
    ctx.err << TextFilePrompt(read, ctx.textsFile).render(ctx.texts) << Qt::endl;
    return read.loaded() ? kExitOk : kExitRefused;
}

// Sets the model up as the start screen would: brand, remembered settings,
// device type, language.
int prepare(CliContext& ctx, int typeRow)
{
    const QDir dir(ctx.workDir);
    // A working directory that is missing, a file or closed to us is refused,
    // once the texts are there to say so.
    const QFileInfo dirInfo(ctx.workDir);
    const bool dirUsable = dirInfo.isDir() && dirInfo.isReadable() && dirInfo.isExecutable();
    const QString brandPath = dir.filePath(kBrandFileName);
    int brand = 1;
    if (dirUsable) {
        if (const FileState state = CheckInputFile(brandPath); state != FileState::Missing) {
            brand = state == FileState::Regular ? ReadBrandFile(brandPath) : 0;
            if (state != FileState::Regular) {
                ctx.err << FileStatePrompt(state, brandPath).render(ctx.texts) << Qt::endl;
                return kExitRefused;
            }
            if (brand == 0) {
                ctx.err << "unknown manufacturer" << Qt::endl;
                return kExitRefused;
            }
        }
    }
    ctx.model.device.BrandIndex = brand;
    // Settings that are a pipe, a folder or closed to us are not read, and said so.
    const QString settingsPath = dir.filePath(kSettingsFileName);
    if (const FileState state = CheckInputFile(settingsPath);
        dirUsable && state != FileState::Regular && state != FileState::Missing)
        ctx.err << FileStatePrompt(state, settingsPath).render(ctx.texts) << Qt::endl;
    const bool haveSettings = dirUsable && ReadSettings(settingsPath, ctx.model.device);
    if (!haveSettings)
        ctx.model.device.SwRegel = kSwRegelUnbekannt;

    if (typeRow == 0)
        typeRow = haveSettings ? DefaultDeviceTypeRow(ctx.model.device) : 1;
    if (typeRow < 1 || typeRow > kDeviceTypeRows)
        return ctx.usage(QStringLiteral("--type takes a device-type row 1..20"));
    ctx.deviceRow = typeRow;

    if (const int rc = loadTexts(ctx); rc != kExitOk)
        return rc;
    if (!dirUsable)
        return ctx.usage(QStringLiteral("--dir: ") + ctx.texts(kFolderUnusable) + ctx.workDir);

    StartNewProgram(ctx.model, typeRow, ctx.texts(TextId::Unknown),
                    NextFreeFileName(ctx.workDir, ctx.texts(TextId::FreeNamePrefix)));
    return kExitOk;
}

// The command the arguments name, looked up before the application object
// exists (painting commands need a QGuiApplication): the first argument that
// is neither a global option nor its value.
const Command* namedCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--dir" || arg == "--type" || arg == "--lang" || arg == "--texts") {
            ++i;
            continue;
        }
        if (arg.startsWith("--"))
            continue;
        for (const Command& c : commands()) {
            if (arg == c.name)
                return &c;
        }
        return nullptr;
    }
    return nullptr;
}

// What the command wrote must have reached standard output: a full disk or
// a closed pipe is a failure with the system's reason, not a success.
int finishOutput(CliContext& ctx, int rc)
{
    ctx.out.flush();
    errno = 0;
    const bool streamFailed = ctx.out.status() != QTextStream::Ok;
    const bool failed = streamFailed || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed)
        return rc;
    const int error = errno;
    QString reason = error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString();
    if (reason.isEmpty() && ctx.out.device())
        reason = ctx.out.device()->errorString();
    ctx.err << "standard output: " << reason << Qt::endl;
    return rc == kExitOk ? kExitRefused : rc;
}

} // namespace

int main(int argc, char** argv)
{
    const Command* named = namedCommand(argc, argv);
    const auto app = MakeApplication(argc, argv, named && named->paints);
    QCoreApplication::setApplicationName(QStringLiteral("zendrik-cli"));

    CliContext ctx;
    int typeRow = 0;
    std::optional<QString> givenDir;
    bool showVersion = false;

    QStringList args = QCoreApplication::arguments().mid(1);
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        auto needValue = [&](QString& into) {
            if (args.isEmpty())
                return false;
            into = args.takeFirst();
            return true;
        };
        QString value;
        if (option == QLatin1String("--help")) {
            printUsage(ctx.out);
            return kExitOk;
        } else if (option == QLatin1String("--version")) {
            showVersion = true;
        } else if (option == QLatin1String("--json")) {
            ctx.json = true;
        } else if (option == QLatin1String("--dir") && needValue(value)) {
            givenDir = value;
        } else if (option == QLatin1String("--type") && needValue(value)) {
            bool ok = false;
            typeRow = value.toInt(&ok);
            // 0 stands for "not given" inside; given, it is out of range.
            if (!ok || typeRow == 0)
                typeRow = -1;
        } else if (option == QLatin1String("--lang") && needValue(value)) {
            if (value.isEmpty()) {
                ctx.err << "--lang takes de, en or fr" << Qt::endl;
                return kExitUsage;
            }
            ctx.language = value;
        } else if (option == QLatin1String("--texts") && needValue(value)) {
            ctx.textsFile = value;
        } else {
            ctx.err << "unknown option or missing value: " << option << '\n';
            printUsage(ctx.err);
            return kExitUsage;
        }
    }
    // Installed, the program keeps its files in a folder of the user's own,
    // filled with the shipped files on first use.
    const QString shipped = ShippedDataDir(QCoreApplication::applicationDirPath());
    // An empty --dir is a folder nobody can use (refused below), not "not given".
    ctx.workDir = givenDir ? *givenDir
                           : ChooseWorkDir(QString(), shipped,
                                           UserWorkDir(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()),
                                           QDir::currentPath());
    if (!givenDir && !shipped.isEmpty())
        PrepareWorkDir(ctx.workDir, shipped);

    if (showVersion) {
        // The program's version and the version line of its text table.
        ctx.out << "zendrik-cli " << kProgramVersion << '\n'
                << ctx.texts.version() << '\n';
        return finishOutput(ctx, kExitOk);
    }
    if (args.isEmpty()) {
        printUsage(ctx.err);
        return kExitUsage;
    }

    const QString name = args.takeFirst();
    for (const Command& c : commands()) {
        if (name == QLatin1String(c.name)) {
            if (const int rc = prepare(ctx, typeRow); rc != kExitOk)
                return rc;
            return finishOutput(ctx, c.run(ctx, args));
        }
    }
    ctx.err << "unknown command: " << name << '\n';
    printUsage(ctx.err);
    return kExitUsage;
}
