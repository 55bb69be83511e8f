// The version of the command line, and the man page that is generated from
// its usage: every command and every global option is in the page.
#include "tests/support/CliRun.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(CliVersion, ProgramAndTextTableVersions)
{
    const QString r = Succeeded(RunCli({"--version"}));
    EXPECT_EQ(r, u"zendrik-cli " ZENDRIK_VERSION "\nVersion  2.1 V1.5\n"_s);
}

TEST(CliManPage, NamesEveryCommandAndOption)
{
    QFile page(QStringLiteral(ZENDRIK_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << ZENDRIK_MAN_PAGE;
    const QString man = QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);

    const QString help = Succeeded(RunCli({"--help"}));
    const QStringList lines = help.section(u"commands:\n"_s, 1).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 15);
    for (const QString& line : lines) {
        const QString name = line.trimmed().section(u' ', 0, 0);
        EXPECT_TRUE(man.contains(u".B "_s + name + u'\n')) << name.toStdString();
        // Every option a command's usage names is in the page.
        const QRegularExpression option(u"--[a-z-]+"_s);
        for (auto it = option.globalMatch(line); it.hasNext();) {
            const QString o = it.next().captured();
            EXPECT_TRUE(man.contains(o)) << o.toStdString() << " of " << name.toStdString();
        }
    }
    for (const char* global : {"--dir", "--type", "--lang", "--texts", "--json", "--version", "--help"})
        EXPECT_TRUE(man.contains(QString::fromLatin1(global))) << global;
}

// The stand-in tools' pages are made from their --help: each names the tool,
// its purpose and every option the tool takes.
TEST(ToolManPages, NameEveryOptionOfTheTool)
{
    const struct {
        const char* name;
        const char* program;
    } tools[] = {
        {"zendrik-adapter-emulator", ZENDRIK_ADAPTER_EMULATOR},
        {"zendrik-adapter-tool", ZENDRIK_ADAPTER_TOOL},
        {"zendrik-ir-tool", ZENDRIK_IR_TOOL},
        {"zendrik-bus-device", ZENDRIK_BUS_DEVICE},
    };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.name);
        QFile page(QStringLiteral(ZENDRIK_MAN_DIR "/%1.1").arg(QLatin1StringView(tool.name)));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
        const QString man = QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);
        EXPECT_TRUE(man.startsWith(u".TH "_s + QLatin1StringView(tool.name) + u" 1 "_s));

        QProcess p;
        p.start(QString::fromUtf8(tool.program), {u"--help"_s});
        ASSERT_TRUE(p.waitForFinished(10000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        const QString purpose = help.section(u'\n', 1, 1).trimmed();
        ASSERT_FALSE(purpose.isEmpty());
        EXPECT_TRUE(man.contains(QLatin1StringView(tool.name) + u" - "_s + purpose.chopped(1))) << purpose.toStdString();
        const QRegularExpression option(u"^\\s+(--[a-z-]+)"_s, QRegularExpression::MultilineOption);
        int options = 0;
        for (auto it = option.globalMatch(help); it.hasNext(); ++options) {
            const QString o = it.next().captured(1);
            EXPECT_TRUE(man.contains(o)) << o.toStdString();
        }
        EXPECT_GE(options, 4);
    }
}
