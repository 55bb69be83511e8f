// The version of the command line, and the man page that is generated from
// its usage: every command and every global option is in the page.
#include "tests/support/CliRun.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(CliVersion, ProgramAndTextTableVersions)
{
    const CliRun r = RunCli({"--version"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"zendrik-cli " ZENDRIK_VERSION "\nVersion  2.1 V1.5\n"_s);
}

TEST(CliManPage, NamesEveryCommandAndOption)
{
    QFile page(QStringLiteral(ZENDRIK_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << ZENDRIK_MAN_PAGE;
    const QString man = QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);

    const CliRun help = RunCli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    const QStringList lines = help.out.section(u"commands:\n"_s, 1).split(u'\n', Qt::SkipEmptyParts);
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
