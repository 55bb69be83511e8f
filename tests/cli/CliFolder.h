#pragma once

#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <span>

namespace zendrik::test {

// One invocation of zendrik-cli and what it must give. `out`: "@name" the
// golden file tests/data/cli/name, "=text" exactly this, "#n=a|b" column n
// of the rows after the heading, else a part of it. `err`: a part of the
// error output. A refusal (exit 1 or 2) prints nothing and says why.
struct Invocation {
    QStringList args;
    int exitCode;
    const char* out = "";
    const char* err = "";
};

// A folder of programs in which zendrik-cli runs; in arguments and
// expectations "$D" stands for the folder, "$S" for the shipped data and
// "$T" for tests/data.
class CliFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString save(ProgramModel m, const QString& name, bool yes = true) { return saveProgramAs(m, path(name), yes); }
    QString expand(QString s) const
    {
        return s.replace(QStringLiteral("$D"), dir.path()).replace(QStringLiteral("$S"), QStringLiteral(ZENDRIK_SHIPPED_DATA)).replace(QStringLiteral("$T"), testData(QString()).chopped(1));
    }
    CliRun run(const QStringList& args, int timeoutMs = 60000) const
    {
        QStringList expanded;
        for (const QString& a : args)
            expanded << expand(a);
        return RunCli(expanded, dir.path(), timeoutMs);
    }

    static QString column(const QString& out, int c)
    {
        QStringList cells;
        const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < lines.size(); ++i)
            cells << lines[i].split(u'\t').value(c);
        return cells.join(u'|');
    }

    void expectAll(std::span<const Invocation> cases) const
    {
        for (const Invocation& c : cases) {
            SCOPED_TRACE(c.args.join(u' ').toStdString());
            const CliRun r = run(c.args);
            EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
            const QString out = expand(QString::fromUtf8(c.out));
            const QString err = expand(QString::fromUtf8(c.err));
            if (out.startsWith(u'@'))
                EXPECT_EQ(r.out.toUtf8(), readFile(testData(QStringLiteral("cli/") + out.mid(1)))) << r.out.toStdString();
            else if (out.startsWith(u'='))
                EXPECT_EQ(r.out, out.mid(1));
            else if (out.startsWith(u'#'))
                EXPECT_EQ(column(r.out, out.mid(1, 1).toInt()), out.mid(3));
            else
                EXPECT_TRUE(r.out.contains(out)) << r.out.toStdString();
            EXPECT_TRUE(r.err.contains(err)) << r.err.toStdString();
            EXPECT_TRUE((c.exitCode != 1 && c.exitCode != 2) || (r.out.isEmpty() && !r.err.isEmpty())) << r.out.toStdString();
        }
    }
};

} // namespace zendrik::test
