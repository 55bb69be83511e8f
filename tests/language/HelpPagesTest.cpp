// The shipped help: every page in every language, every link and picture
// resolving, every window of the desktop program with a page of its own that
// names its controls as the window captions them.
#include "language/HelpPages.h"

#include "calendar/AstroTexts.h"
#include "calendar/BehaviourTexts.h"
#include "calendar/FeiertagTexts.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SwitchingYearExport.h"
#include "editing/PrintTexts.h"
#include "language/TextTable.h"
#include "transfer/ir/IrTexts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>
#include <vector>

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
    QDirIterator it(QStringLiteral(ZENDRIK_SOURCE_DIR "/ui"), {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString header = it.next();
        const auto m = windowClass.match(read(header));
        if (!m.hasMatch())
            continue;
        const QString source = read(header.chopped(2) + QStringLiteral(".cpp"));
        const qsizetype ctor = source.indexOf(m.captured(1) + QStringLiteral("::") + m.captured(1) + QLatin1Char('('));
        // EntryDialog(ctx, {"frmEingSz", ...}) names the form for its subclasses.
        const QRegularExpression named(QStringLiteral(R"re((?:setObjectName\(QStringLiteral\("|EntryDialog\(ctx, \{")([^"]+)")re"));
        const auto n = named.match(source, std::max<qsizetype>(ctor, 0));
        // The help window itself shows the pages.
        if (ctor >= 0 && n.hasMatch() && n.captured(1) != QLatin1String("fraAuto") && n.captured(1) != QLatin1String("frmHilfe"))
            names.insert(n.captured(1));
    }
    return names;
}

} // namespace

// Every page in every language with its links resolving; `make screenshots`
// renders each window in each language into img/<language>/, and the pages
// of a language show exactly its pictures (each with a text saying in its
// language what it shows), every language the same ones.
TEST(HelpPages, EveryPageInEveryLanguageWithItsLinksAndPicturesResolving)
{
    QStringList pages = HelpPages();
    for (QString& p : pages)
        p += QStringLiteral(".html");
    pages.sort();
    const QRegularExpression href(QStringLiteral(R"(href="([^"#]*)(#[^"]*)?")")), img(QStringLiteral(R"re(<img\b([^>]*)>)re"));
    const QRegularExpression src(QStringLiteral(R"re(\bsrc="([^"]*)")re")), alt(QStringLiteral(R"re(\balt="([^"]*)")re"));
    QStringList german;
    for (const QString lang : {"de", "en", "fr"}) {
        const QDir folder(kHelp + QLatin1Char('/') + lang);
        EXPECT_EQ(folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name), pages) << qPrintable(lang);
        std::set<QString> shown;
        for (const QString& file : pages) {
            const QString text = read(folder.filePath(file));
            const std::string where = (lang + u'/' + file).toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"%1\"").arg(lang)) && !text.contains(QStringLiteral("<title></title>"))) << where;
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(QFileInfo(folder.filePath(target)).isFile()) << where << " links to " << target.toStdString();
            }
            for (auto it = img.globalMatch(text); it.hasNext();) {
                const QString attributes = it.next().captured(1), picture = src.match(attributes).captured(1);
                EXPECT_TRUE(picture.startsWith(QStringLiteral("../img/%1/").arg(lang)) && !alt.match(attributes).captured(1).trimmed().isEmpty())
                    << where << " shows " << picture.toStdString();
                shown.insert(QFileInfo(picture).fileName());
            }
        }
        const QDir shots(kHelp + QStringLiteral("/img/") + lang);
        const QStringList shipped = shots.entryList(QDir::Files, QDir::Name);
        ASSERT_GE(shipped.size(), 10) << qPrintable(lang) << " has too few screenshots";
        EXPECT_EQ(QStringList(shown.begin(), shown.end()), shipped) << qPrintable(lang);
        for (const QString& shot : shipped) {
            QFile png(shots.filePath(shot));
            EXPECT_TRUE(png.open(QIODevice::ReadOnly) && png.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8)) << qPrintable(shot) << " is no PNG picture";
        }
        if (german.isEmpty())
            german = shipped;
        EXPECT_EQ(shipped, german) << qPrintable(lang);
    }
    // Nothing beside the language folders.
    EXPECT_EQ(QDir(kHelp + QStringLiteral("/img")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), (QStringList{"de", "en", "fr"}));
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
    EXPECT_EQ(QStringList({HelpLanguage(1), HelpLanguage(2), HelpLanguage(3), HelpLanguage(4)}), QStringList({"de", "en", "fr", "en"}));
    EXPECT_EQ(HelpFile(kHelp, 7, QStringLiteral("filter")), kHelp + QStringLiteral("/en/filter.html"));
}

TEST(HelpPages, TheContentsLinkEveryPageAndEveryCommonTask)
{
    for (const char* lang : {"de", "en", "fr"}) {
        const QString index = read(kHelp + QLatin1Char('/') + QString::fromLatin1(lang) + QStringLiteral("/index.html"));
        ASSERT_FALSE(index.isEmpty()) << lang;
        for (const QString& page : HelpPages())
            EXPECT_TRUE(page == QStringLiteral("index") || index.contains(QStringLiteral("href=\"%1.html\"").arg(page))) << lang << " contents lack " << page.toStdString();
        // The common tasks: weekly program, holidays, astro, simulation,
        // printing, the chip, the bus and infrared, each with its page.
        const qsizetype tasks = index.indexOf(QStringLiteral("<h2>"));
        ASSERT_GE(tasks, 0) << lang;
        const QString taskList = index.mid(tasks, index.indexOf(QStringLiteral("</ul>"), tasks) - tasks);
        for (const char* page : {"switching-times", "holidays", "astro", "simulation", "print", "chip-transfer", "bus-access", "infrared"})
            EXPECT_TRUE(taskList.contains(QStringLiteral("href=\"%1.html\"").arg(QString::fromLatin1(page)))) << lang << " common tasks lack " << page;
    }
}

TEST(HelpPages, ThePagesNameTheControlsByTheirCaptionsInEachLanguage)
{
    // Controls of each window, as their captions read in the window.
    const std::pair<const char*, std::vector<TextId>> controls[] = {
        {"start-screen", {TextId::DeviceType}},
        {"main-window", {TextId::ProgramNumber, TextId::MenuOpenSample}},
        {"switching-times", {TextId::Weekdays, TextId::Daily, TextId::ActiveAfterEntry, TextId::Execute}},
        {"priority-times", {TextId::BeginOn, TextId::EndOn, TextId::MenuHolidays}},
        {"edit-assistant", {TextId::IncreaseWeekdays, TextId::ToggleState}},
        {"filter", {TextId::WeeklyProgramOnly, TextId::OnlyPulses}},
        {"holidays", {TextId::YearsForFreeHolidays, TextId::AddSet, TextId::HolidayEasterRelative}},
        {"dst-table", {TextId::ForwardOn, TextId::BackOn}},
        {"astro", {TextId::NoSwitchBefore, TextId::PlaceName}},
        {"astro-cell", {TextId::ChangeTo, TextId::MoveBy}},
        {"device-properties", {TextId::ClockLanguage, TextId::DstByTable, TextId::DelayFactor}},
        {"print", {TextId::HeaderEvery}},
        {"chip-transfer", {TextId::MenuWriteChip, TextId::SerialTransferTitle}},
        {"infrared", {TextId::ReadSwitchingTimes, TextId::SetTimeAndDate}},
        {"bus-access", {TextId::StartSearch, TextId::SearchResult, TextId::Restore}},
        {"simulation", {TextId::SimulationYear, TextId::ComputeYearOperatingHours}},
        {"info", {TextId::DeviceType}},
    };
    // Controls of our own, beyond the device's text table.
    const std::pair<const char*, std::vector<ExtraText>> ownControls[] = {
        {"print", {kPrintToTextFile, kPrintSaveAsPdf, kHandoverSaveAs}},
        {"simulation", {kSimExportPng, kSimExportCsv, kBehaviourCompareWith, kExportCalendar}},
        {"comparison", {kBehaviourPage}},
        {"holidays", {kFtExportIcs, kFtAddToSet}},
        {"dst-table", {kSwFillFromZone}},
        {"astro", {kAstroSearchPlace}},
        {"infrared", {kIrToolLabel}},
        {"device-properties", {kIrToolLabel}},
    };
    const auto shown = [](QString caption) {
        // The caption as shown: without its access key and the colon a label ends in.
        caption.remove(QLatin1Char('&'));
        caption = caption.trimmed();
        if (caption.endsWith(QLatin1Char(':')))
            caption = caption.chopped(1).trimmed();
        return caption;
    };
    for (int sprache : {1, 2, 3}) {
        TextTable texts;
        (texts.*(sprache == 1 ? &TextTable::LoadGerman : sprache == 2 ? &TextTable::LoadEnglish : &TextTable::LoadFrench))(1);
        const auto expectNamed = [&](const char* page, const QString& text) {
            const QString caption = shown(text);
            const QString file = HelpFile(kHelp, sprache, QString::fromLatin1(page));
            EXPECT_TRUE(read(file).contains(caption)) << file.toStdString() << " does not name \"" << caption.toStdString() << "\"";
        };
        for (const auto& [page, ids] : controls)
            for (const TextId id : ids)
                expectNamed(page, texts(id));
        for (const auto& [page, own] : ownControls)
            for (const ExtraText& text : own)
                expectNamed(page, texts(text));
    }
}
