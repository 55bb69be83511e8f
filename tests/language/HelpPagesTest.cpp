// The shipped help: every page in every language, every link resolving, and
// every window of the desktop program with a page of its own.
#include "language/HelpPages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

using namespace zendrik;

namespace {

const QString kHelp = QStringLiteral(ZENDRIK_SHIPPED_DATA "/help");

QString read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The names of the windows the desktop program builds: every class that is
// a dialog or main window, by the object name its constructor gives it.
std::set<QString> windowNames()
{
    std::set<QString> names;
    const QRegularExpression windowClass(QStringLiteral(R"(class (\w+) : public (QDialog|QMainWindow|EntryDialog)\b)"));
    QDirIterator it(QStringLiteral(ZENDRIK_SOURCE_DIR "/ui"), {QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString header = it.next();
        const auto m = windowClass.match(read(header));
        if (!m.hasMatch())
            continue;
        const QString cls = m.captured(1);
        const QString source = read(header.left(header.size() - 2) + QStringLiteral(".cpp"));
        const qsizetype ctor = source.indexOf(cls + QStringLiteral("::") + cls + QLatin1Char('('));
        if (ctor < 0)
            continue;
        // EntryDialog(ctx, {"frmEingSz", ...}) names the form for its subclasses.
        const QRegularExpression named(QStringLiteral(R"re((?:setObjectName\(QStringLiteral\("|EntryDialog\(ctx, \{")([^"]+)")re"));
        const auto n = named.match(source, ctor);
        // The help window itself shows the pages.
        if (n.hasMatch() && n.captured(1) != QLatin1String("fraAuto") && n.captured(1) != QLatin1String("frmHilfe"))
            names.insert(n.captured(1));
    }
    return names;
}

} // namespace

TEST(HelpPages, EveryPageInEveryLanguageWithItsLinksResolving)
{
    for (const char* lang : {"de", "en", "fr"}) {
        const QDir folder(kHelp + QLatin1Char('/') + QString::fromLatin1(lang));
        // The same pages in each language, and no page outside the list.
        QStringList files = folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
        QStringList pages = HelpPages();
        for (QString& p : pages)
            p += QStringLiteral(".html");
        pages.sort();
        EXPECT_EQ(files, pages) << lang;

        for (const QString& file : files) {
            const QString text = read(folder.filePath(file));
            EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"%1\"").arg(QString::fromLatin1(lang)))) << file.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("<title></title>"))) << file.toStdString();
            const QRegularExpression href(QStringLiteral(R"(href="([^"#]*)(#[^"]*)?")"));
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(QFileInfo(folder.filePath(target)).isFile())
                    << lang << "/" << file.toStdString() << " links to " << target.toStdString();
            }
        }
    }
}

TEST(HelpPages, EveryWindowHasAPageOfItsOwn)
{
    const std::set<QString> windows = windowNames();
    ASSERT_GE(windows.size(), 10u) << "the window scan found too few windows";
    for (const QString& w : windows)
        EXPECT_NE(HelpPageOf(w), QStringLiteral("index")) << w.toStdString() << " has no help page";
    for (const char* other : {"frmstartbild", "FRM_SERIEL_IO", "frmHauptmenue", "FrmGrafik", "dockPruefung"})
        EXPECT_NE(HelpPageOf(QString::fromLatin1(other)), QStringLiteral("index")) << other;
}

TEST(HelpPages, AFurtherLanguageReadsTheEnglishPages)
{
    EXPECT_EQ(HelpLanguage(1), QStringLiteral("de"));
    EXPECT_EQ(HelpLanguage(2), QStringLiteral("en"));
    EXPECT_EQ(HelpLanguage(3), QStringLiteral("fr"));
    EXPECT_EQ(HelpLanguage(4), QStringLiteral("en"));
    EXPECT_EQ(HelpFile(kHelp, 7, QStringLiteral("filter")), kHelp + QStringLiteral("/en/filter.html"));
}
