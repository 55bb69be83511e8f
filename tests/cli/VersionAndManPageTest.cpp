// The version of the command line, and the man pages that are generated
// from the usage of each program: every command and option is in its page.
#include "tests/support/CliRun.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QString ManPage(const QString& name)
{
    QFile page(u"%1/%2.1"_s.arg(QStringLiteral(ZENDRIK_MAN_DIR), name));
    EXPECT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
    return QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);
}

} // namespace

TEST(CliVersion, ProgramAndTextTableVersions)
{
    EXPECT_EQ(Succeeded(RunCli({"--version"})), u"zendrik-cli " ZENDRIK_VERSION "\nVersion  2.1 V1.5\n"_s);
}

TEST(CliManPage, NamesEveryCommandAndOption)
{
    const QString man = ManPage(u"zendrik-cli"_s);
    const QStringList lines = Succeeded(RunCli({"--help"})).section(u"commands:\n"_s, 1).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 15);
    const QRegularExpression option(u"--[a-z-]+"_s);
    for (const QString& line : lines) {
        const QString name = line.trimmed().section(u' ', 0, 0);
        EXPECT_TRUE(man.contains(u".B "_s + name + u'\n')) << name.toStdString();
        for (auto it = option.globalMatch(line); it.hasNext();) {
            const QString o = it.next().captured();
            EXPECT_TRUE(man.contains(o)) << o.toStdString() << " of " << name.toStdString();
        }
    }
    for (const char* global : {"--dir", "--type", "--lang", "--texts", "--json", "--version", "--help"})
        EXPECT_TRUE(man.contains(QLatin1String(global))) << global;
}

// The stand-in tools' pages are made from their --help: each names the tool,
// its purpose and every option the tool takes.
TEST(ToolManPages, NameEveryOptionOfTheTool)
{
    for (const auto& [name, program] : {std::pair{"zendrik-adapter-emulator", ZENDRIK_ADAPTER_EMULATOR}, {"zendrik-adapter-tool", ZENDRIK_ADAPTER_TOOL},
                                        {"zendrik-ir-tool", ZENDRIK_IR_TOOL}, {"zendrik-bus-device", ZENDRIK_BUS_DEVICE}}) {
        SCOPED_TRACE(name);
        const QString man = ManPage(QLatin1String(name));
        EXPECT_TRUE(man.startsWith(u".TH "_s + QLatin1String(name) + u" 1 "_s));
        QProcess p;
        p.start(QString::fromUtf8(program), {u"--help"_s});
        ASSERT_TRUE(p.waitForFinished(10000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        const QString purpose = help.section(u'\n', 1, 1).trimmed();
        ASSERT_FALSE(purpose.isEmpty());
        EXPECT_TRUE(man.contains(QLatin1String(name) + u" - "_s + purpose.chopped(1))) << purpose.toStdString();
        const QRegularExpression option(u"^\\s+(--[a-z-]+)"_s, QRegularExpression::MultilineOption);
        int options = 0;
        for (auto it = option.globalMatch(help); it.hasNext(); ++options)
            EXPECT_TRUE(man.contains(it.next().captured(1)));
        EXPECT_GE(options, 4);
    }
}
