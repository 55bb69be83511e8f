// Crash recovery through the real desktop program: a program modified in a
// separate process that is then killed (SIGKILL, no chance to clean up)
// comes back at the next start exactly as it was.
#include "tests/ui/DesktopFixture.h"

#include "editing/RecoveryFile.h"
#include "model/DeviceImage.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "ui/main/RecoveryKeeper.h"

#include <csignal>

namespace zendrik::test {

namespace {

constexpr const char* kWorkDirVariable = "ZENDRIK_RECOVERY_WORKDIR";

// The child runs in the working directory the parent prepared.
class RecoveryChild : public DesktopFixture {
protected:
    void SetUp() override { german_.LoadGerman(); }
    QString workDir() const override { return qEnvironmentVariable(kWorkDirVariable); }
};

class Recovery : public DesktopFixture {
protected:
    QString recoveryFile() const { return RecoveryFilePath(workDir()); }
    bool kept() const { return QFile::exists(recoveryFile()); }
    int questions() const
    {
        return static_cast<int>(std::count_if(asked().begin(), asked().end(), [](const Prompt& p) {
            return !p.parts.empty() && std::holds_alternative<ExtraText>(p.parts.front())
                && std::get<ExtraText>(p.parts.front()).de == kRecoveryQuestion.de;
        }));
    }
};

} // namespace

// Not run on its own (disabled): the parent test starts it as a separate
// process and kills it once the copy is on disk.
TEST_F(RecoveryChild, DISABLED_EditsAndWaitsToBeKilled)
{
    ASSERT_FALSE(workDir().isEmpty());
    startWith(4);
    chooser_.open = work(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    answer(TextId::ReallyDelete, Answer::Ok);
    markRows(2, 6);
    trigger("mnuBalö");
    ASSERT_EQ(model().Geaendert, 1);
    // The keeper writes on its own, a moment after the change.
    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(RecoveryFilePath(workDir())); },
                                3 * RecoveryKeeper::kWriteDelayMs + 5000));
    ProgramModel copy = model();
    ASSERT_FALSE(saveProgramAs(copy, work(QStringLiteral("expected.zpg"))).isEmpty());
    ASSERT_TRUE(writeFile(work(QStringLiteral("expected-name.txt")), model().program().Dateiname.toUtf8()));
    ASSERT_TRUE(writeFile(work(QStringLiteral("ready")), "1"));
    QTest::qWait(120000);
    FAIL() << "the parent did not kill this process";
}

TEST_F(Recovery, AKilledProgramComesBackWithNothingLost)
{
    const QString original = copySample(QStringLiteral("Schule.zpg"));
    const QByteArray originalBytes = readFile(original);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kWorkDirVariable), workDir());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(workDir()); // an earlier test may have removed the folder we stand in
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.DISABLED_EditsAndWaitsToBeKilled"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForStarted());
    const QString ready = work(QStringLiteral("ready"));
    QTest::qWaitFor([&] { return QFile::exists(ready) || child.state() == QProcess::NotRunning; }, 60000);
    ASSERT_TRUE(QFile::exists(ready)) << child.readAllStandardOutput().toStdString()
                                      << child.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(readFile(original), originalBytes) << "the program file is never written without saving";

    answer(kRecoveryQuestion, Answer::Yes);
    startWith(4);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(model().program().Dateiname, QString::fromUtf8(readFile(work(QStringLiteral("expected-name.txt")))));
    EXPECT_TRUE(model().Geaendert == 1 && frame()->isWindowModified());
    const QByteArray expected = readFile(work(QStringLiteral("expected.zpg")));
    ProgramModel copy = model();
    EXPECT_EQ(readFile(saveProgramAs(copy, work(QStringLiteral("compare.zpg")))), expected);
    EXPECT_NE(expected, originalBytes);
    EXPECT_EQ(readFile(original), originalBytes);
    // Saving it makes the copy go.
    trigger("mnudatspei");
    EXPECT_EQ(model().Geaendert, 0);
    EXPECT_FALSE(kept());
    EXPECT_EQ(readFile(original), expected);
}

TEST_F(Recovery, DiscardedOrOutdatedCopiesAreNotRestored)
{
    const QString original = copySample(QStringLiteral("Schule.zpg"));
    ProgramModel modified = modelForRow(4);
    ASSERT_EQ(LoadProgram(modified, original, kProgramSlot), LoadOk);
    modified.program().Verwendung = QStringLiteral("nie gespeichert");
    // Discarded: the copy goes, the program is the new empty one.
    ASSERT_TRUE(WriteRecoveryFile(workDir(), TakeRecoveryImage(modified, QDateTime::currentDateTimeUtc())));
    answer(kRecoveryQuestion, Answer::No);
    startWith(4);
    EXPECT_EQ(questions(), 1);
    EXPECT_FALSE(kept());
    EXPECT_EQ(model().program().AnzEintrag, 0);
    // The program file saved after the copy was made: not offered.
    app_.reset();
    ASSERT_TRUE(WriteRecoveryFile(workDir(), TakeRecoveryImage(modified, QDateTime::currentDateTimeUtc())));
    QFile f(original);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QFileInfo(recoveryFile()).lastModified().addSecs(5), QFileDevice::FileModificationTime));
    f.close();
    startWith(4);
    EXPECT_EQ(questions(), 1);
    EXPECT_NE(model().program().Verwendung, QStringLiteral("nie gespeichert"));
    EXPECT_TRUE(kept()) << "left alone: only a copy this run wrote is removed";
}

TEST_F(Recovery, UndoToTheSavedStateOrLeavingWithoutSavingRemovesTheCopy)
{
    startWith(4);
    openSample(QStringLiteral("Schule.zpg"));
    answer(TextId::ReallyDelete, Answer::Ok);
    markRows(1, 3);
    trigger("mnuBalö");
    ASSERT_EQ(model().Geaendert, 1);
    ASSERT_FALSE(kept());
    frame()->recovery().writeNow();
    const auto found = FindRecovery(workDir());
    ASSERT_EQ(found.state, RecoveryState::Offer);
    EXPECT_EQ(found.image.snapshot, TakeSnapshot(model()));
    trigger("mnuBaUndo");
    EXPECT_EQ(model().Geaendert, 0);
    EXPECT_FALSE(kept());
    trigger("mnuBaRedo");
    frame()->recovery().writeNow();
    EXPECT_TRUE(kept());
    answer(TextId::SaveChangesIn, Answer::Cancel);
    trigger("mnuDatBend");
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_TRUE(kept()) << "still unsaved: the copy stays";
    answer(TextId::SaveChangesIn, Answer::No);
    trigger("mnuDatBend");
    EXPECT_FALSE(kept());
}

} // namespace zendrik::test
