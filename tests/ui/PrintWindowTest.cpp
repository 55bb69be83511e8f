// The print window and the toolbar print button on the real main frame.
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/print/FrmDruck.h"
#include "ui/print/PrintCommands.h"

#include <QPrinter>

namespace zendrik::test {

namespace {

class PrintWindow : public DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        startWith(4);
        school = openSample(u"Schule.zpg"_s);
        ASSERT_TRUE(asked().empty());
    }
    // Opens the print window, ticks the boxes named and presses "Drucken".
    void printWith(std::initializer_list<const char*> boxes)
    {
        auto* d = open<FrmDruck>("mnuDatDruck");
        EXPECT_EQ(child<QLabel>(d, "lblzeilen")->text(), QString::number(model().device.Zeilen) + u" Zeilen"_s);
        // A box reacts to a click on its mark or its text, at its left.
        for (const char* name : boxes) {
            QCheckBox* box = child<QCheckBox>(d, name);
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        }
        press(d, "cmdprdruck");
        QApplication::processEvents();
    }
    static QString pdfText(const QString& path)
    {
        QProcess p;
        p.start(u"pdftotext"_s, {path, u"-"_s});
        return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    }
    QString text() const { return QString::fromUtf8(readFile(target)); }
    QString school;
    QString target = work(u"Schule.txt"_s);
};

} // namespace

TEST_F(PrintWindow, TextFileBesideTheProgramAndTheToolbarButtonPrintTheListAsShown)
{
    trigger("mnuAnsPz");
    const QStringList before = gridText();
    printWith({"chkprsw", "chktxtdat"});
    ASSERT_TRUE(QFile::exists(target)) << status().toStdString();
    EXPECT_TRUE(text().startsWith(u"SoWi-Tabelle  Schule.zpg\r\n"_s) && !text().contains(u"Prioritätszeiten"_s)) << text().toStdString();
    EXPECT_EQ(std::tuple(list().Ansicht(), gridText()), std::tuple(int(AnsichtPrioritaetszeiten), before));
    // A second time the existing text file is kept unless the user agrees; the window keeps "in Textdatei umleiten" ticked.
    ASSERT_TRUE(QFile::resize(target, 3));
    answer(TextId::FileWord, Answer::No);
    printWith({"chkprsz"});
    EXPECT_EQ(QFile(target).size(), 3);
    answer(TextId::FileWord, Answer::Yes);
    printWith({"chkprsz"});
    EXPECT_TRUE(text().startsWith(u"Schaltzeiten  Schule.zpg"_s));

    // The toolbar's button prints the list as shown, its filter applied, and follows "in Textdatei umleiten"
    // of the print window: into the text file while it is ticked, to the printer's preview once it is cleared.
    app_->filter().FilterZustand = ListFilter::StateOn;
    app_->filter().FilterAktiv = -1;
    frame()->showView(AnsichtSchaltzeiten, kProgramSlot);
    const QStringList shown = gridText();
    int pages = 0;
    const QString pdf = work(u"preview.pdf"_s);
    frame()->printCommands().preview = [&](const std::function<int(QPrinter&)>& paint) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        pages = paint(printer);
    };
    const auto printButton = [this] { child<QAction>(frame(), "AniButton2")->trigger(); };
    ASSERT_TRUE(QFile::remove(target));
    printButton();
    ASSERT_TRUE(pages == 0 && !text().isEmpty());
    // Every row shown is printed, and no row the filter hides (the OFF times).
    const QRegularExpression on(u"\\bEIN\\b"_s), off(u"\\bAUS\\b"_s);
    qsizetype rows = 0;
    for (const QString& line : text().split(u"\r\n"_s)) rows += line.contains(on) || line.contains(off);
    EXPECT_EQ(rows, shown.size() - 1) << text().toStdString(); // the grid's first line is its headings
    EXPECT_FALSE(text().contains(off)) << text().toStdString();

    auto* d = open<FrmDruck>("mnuDatDruck");
    EXPECT_TRUE(d->DruckInDatei());
    child<QCheckBox>(d, "chktxtdat")->click();
    d->reject();
    ASSERT_TRUE(QFile::remove(target));
    trigger("mnuAnsPz");
    printButton();
    EXPECT_TRUE(pages == 1 && !QFile::exists(target));
    const QString printed = pdfText(pdf);
    EXPECT_TRUE(printed.contains(u"Prioritätszeiten"_s) && printed.contains(u"Seite 1"_s)) << printed.toStdString();
    EXPECT_FALSE(printed.contains(u"Schaltzeiten"_s));
}

TEST_F(PrintWindow, HandoverButtonWritesTheRecordBesideTheProgram)
{
    QString suggested;
    frame()->printCommands().chooseFile = [&](const QString& offered, const QString&) { return suggested = offered; };
    press(open<FrmDruck>("mnuDatDruck"), "cmdprhandover");
    QApplication::processEvents();
    EXPECT_EQ(suggested, work(u"Schule Übergabeprotokoll.pdf"_s));
    ASSERT_TRUE(QFile::exists(suggested)) << status().toStdString();
    const QString record = pdfText(suggested);
    EXPECT_TRUE(record.contains(u"Übergabeprotokoll"_s) && record.contains(u"Jahresübersicht %1"_s.arg(model().currentYear())));
    EXPECT_TRUE(status().contains(suggested));
    // Chosen over the program file itself: refused with the reason, the file kept.
    const QByteArray before = readFile(school);
    frame()->printCommands().chooseFile = [&](const QString&, const QString&) { return school; };
    press(open<FrmDruck>("mnuDatDruck"), "cmdprhandover");
    QApplication::processEvents();
    EXPECT_TRUE(readFile(school) == before && !asked().empty());
}

} // namespace zendrik::test
