#include "app/RecentFiles.h"
#include "editing/checks/ProgramDiff.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/EmulatedAdapter.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/frame/UndoHistory.h"

namespace zendrik::test {

namespace {

// The transfer window watched while the chip is written and read.
class ChipTransferWindow : public OnEmulatedAdapter<> {
protected:
    // Runs a command while a timer looks at the transfer window (it only gets
    // to look when the transfer lets events through). Returns the labels
    // shown, each with a gauge that moved forward in many steps up to its end.
    QStringList watch(const char* command)
    {
        std::vector<std::pair<QString, std::vector<int>>> seen;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            auto* w = frame()->findChild<QWidget*>(u"FRM_SERIEL_IO"_s);
            const QString label = w ? w->findChild<QLabel*>(u"lbl_seriell_io"_s)->text() : QString();
            if (!w || !w->isVisible() || label.isEmpty()) return;
            const auto* gauge = w->findChild<QProgressBar*>(u"ggefortschritt"_s);
            EXPECT_EQ(std::tuple(w->windowTitle(), w->isModal(), gauge->maximum()), std::tuple(u"Serielle Übertragung"_s, true, 129)); // 128 blocks and the end
            if (seen.empty() || seen.back().first != label) seen.push_back({label, {}});
            seen.back().second.push_back(gauge->value());
        });
        sampler.start(2);
        read(command);
        EXPECT_EQ(frame()->findChild<QWidget*>(u"FRM_SERIEL_IO"_s), nullptr);
        QStringList labels;
        for (const auto& [label, values] : seen) {
            labels << label;
            EXPECT_TRUE(std::is_sorted(values.begin(), values.end()) && values.size() >= 32u && values.back() >= 120)
                << label.toStdString();
        }
        return labels;
    }
    void read(const char* command = "mnuDatImp") { trigger(command), settle(); }
};

} // namespace

// Written, read back, the read a fresh history; the comparison with a file offered after every good read.
TEST_F(ChipTransferWindow, WritesTheProgramAndReadsItBack)
{
    startOnEmulator();
    if (IsSkipped() || HasFatalFailure()) return;
    EXPECT_EQ(action("mnuDatExp")->text() + action("mnuDatImp")->text(), u"Zendrik &programmierenZendrik &lesen"_s);
    typeAndLeave("txtProgrammnummer", u"4711"_s);
    const QStringList rows = gridText();
    // Saved first, then written and read back whole; a good transfer says nothing more.
    answer(TextId::OnlySavedDataExport, Answer::Ok);
    const QString reading = u"lese Zendrik über COM 1"_s;
    EXPECT_EQ(watch("mnuDatExp"), (QStringList{u"schreibe in Zendrik :Schule.zpg  über COM 1"_s, reading}));
    EXPECT_EQ(std::tuple(asked().size(), status(), model().Geaendert), std::tuple(1u, u"Programm in den Speicherchip übertragen."_s, 0));
    const QByteArray chip = readFile(work(u"chip.bin"_s));
    EXPECT_EQ(Image(chip.begin(), chip.end()), ReadImageNumbers(readFile(school), 2048));

    // The list shows a sample; after the read it shows the imported program.
    openSample(u"Laden.zpg"_s, "mnuDatVorl");
    ASSERT_NE(gridText(), rows);
    EXPECT_EQ(watch("mnuDatImp"), QStringList{reading});
    ASSERT_EQ(std::tuple(asked().size(), offers()), std::tuple(2u, 1));
    EXPECT_EQ(std::tuple(asked().back().buttons, asked().back().render(german_)),
              std::tuple(Buttons::YesNo, u"Das gelesene Programm mit einer Programmdatei vergleichen?"_s));
    EXPECT_EQ(frame()->checkCommands().comparison(), nullptr) << "declined, no window";
    EXPECT_EQ(std::tuple(status(), frame()->windowTitle()), std::tuple(u"Programm aus dem Speicherchip gelesen."_s, u"Zendrik - SzTab1.zpg[*]"_s));
    EXPECT_TRUE(frame()->isWindowModified() && !action("mnuBaUndo")->isEnabled());
    EXPECT_EQ(gridText(), rows);
    EXPECT_EQ(std::tuple(shown("txtProgrammnummer"), shown("txtverwendung")), std::tuple(u"4711"_s, u"unbekannt"_s));

    // A change of the program read, not saved; the next read gets the same
    // free file name, and still no step leads back to the changed program.
    typeAndLeave("txtProgrammnummer", u"4712"_s);
    ASSERT_TRUE(action("mnuBaUndo")->isEnabled());
    answer(TextId::SaveChangesIn, Answer::No);
    answer(checkwindowtexts::kOfferCompare, Answer::Yes);
    chooser_.open = school;
    read();
    EXPECT_EQ(std::tuple(frame()->windowTitle(), frame()->history().stack().count()), std::tuple(u"Zendrik - SzTab1.zpg[*]"_s, 0));
    EXPECT_TRUE(frame()->isWindowModified());
    EXPECT_EQ(gridText(), rows);
    // Accepted: the window shows what differs from the file chosen. The chip holds no description and no channel names.
    EXPECT_EQ(offers(), 2);
    const FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->table()->horizontalHeaderItem(1)->text(), w->table()->horizontalHeaderItem(2)->text()),
              std::tuple(u"Gelesenes Programm"_s, QDir::toNativeSeparators(QFileInfo(school).absoluteFilePath())));
    EXPECT_TRUE(w->difference().entries.empty());
    ProgramModel file = model();
    ASSERT_EQ(LoadProgram(file, school, kProgramSlot), LoadOk);
    EXPECT_EQ(w->difference().header.size(), DiffPrograms(model(), kProgramSlot, file, kProgramSlot).header.size());
    for (const QString& row : w->rowsText()) EXPECT_TRUE(row.startsWith(u"Programmkopf\t"_s)) << row.toStdString();
}

TEST_F(ChipTransferWindow, AFailedReadIsOneBoxAndKeepsTheProgram)
{
    // A COM port with nothing behind it: the adapter never answers.
    ASSERT_TRUE(writeFile(work(u"chip.bin"_s), QByteArray(2048, '\xff')));
    startOnPort(work(u"kein-adapter"_s));
    if (HasFatalFailure()) return;
    const QStringList rows = gridText();
    const std::size_t before = asked().size();
    read();
    ASSERT_EQ(asked().size(), before + 1) << "one message per transfer";
    const QString box = messages().back(); // the reason first, in the same box
    EXPECT_TRUE(box.endsWith(u"Zugriff auf Zendrik nicht erfolgreich"_s) && box.indexOf(u'\n') > 0) << box.toStdString();
    EXPECT_TRUE(gridText() == rows && status().isEmpty());
}

TEST_F(ChipTransferWindow, TheSaveBeforeATransferIsTheSavedStateAndARecentFile)
{
    startOnEmulator();
    if (IsSkipped() || HasFatalFailure()) return;
    typeAndLeave("txtProgrammnummer", u"4711"_s);
    trigger("mnudatspei");
    ASSERT_FALSE(frame()->isWindowModified());
    // Saved again by the transfer, within the same minute as the save before.
    typeAndLeave("txtProgrammnummer", u"4712"_s);
    writeChip();
    ASSERT_TRUE(model().Geaendert == 0 && !frame()->isWindowModified());
    const QByteArray saved = readFile(school);
    // The file holds 4712: going back to 4711 is a change against the file.
    for (const auto& [command, number, changed] : {std::tuple("mnuBaUndo", "4711", 1), std::tuple("mnuBaRedo", "4712", 0)}) {
        trigger(command);
        EXPECT_EQ(std::tuple(shown("txtProgrammnummer"), model().Geaendert, frame()->isWindowModified()),
                  std::tuple(QString::fromLatin1(number), changed, changed == 1));
    }
    EXPECT_EQ(readFile(school), saved);
    // A program read and never saved is named before the transfer saves it
    // (the free default name offered); then it is a recent file.
    answer(TextId::SaveChangesIn, Answer::No);
    read();
    ASSERT_EQ(frame()->windowTitle(), u"Zendrik - SzTab1.zpg[*]"_s);
    const int dialogs = chooser_.asked;
    chooser_.save = work(u"Gelesen.zpg"_s);
    read("mnuDatExp");
    EXPECT_EQ(std::tuple(chooser_.asked, QFileInfo(chooser_.suggested).fileName()), std::tuple(dialogs + 1, u"SzTab1.zpg"_s));
    ASSERT_TRUE(!QFile::exists(work(u"SzTab1.zpg"_s)) && QFile::exists(chooser_.save));
    RecentFiles recent(workDir());
    recent.load();
    EXPECT_EQ(recent.files().value(0), QFileInfo(chooser_.save).absoluteFilePath());
}

} // namespace zendrik::test
