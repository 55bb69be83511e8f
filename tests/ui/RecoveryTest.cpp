// Crash recovery through the real desktop program: a program modified in a
// separate process that is then killed (SIGKILL, no chance to clean up) comes back at the next start exactly as it was.
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
    int questions() const { return asks(kRecoveryQuestion); }
};

} // namespace

// Not run on its own (disabled): the parent test starts it as a separate process and kills it once the copy is on disk.
TEST_F(RecoveryChild, DISABLED_EditsAndWaitsToBeKilled)
{
    ASSERT_FALSE(workDir().isEmpty());
    startWith(4);
    chooser_.open = work(u"Schule.zpg"_s);
    trigger("mnuDatÖff");
    deleteRows(2, 6);
    ASSERT_EQ(model().Geaendert, 1);
    // The keeper writes on its own, a moment after the change.
    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(RecoveryFilePath(workDir())); },
                                3 * RecoveryKeeper::kWriteDelayMs + 5000));
    ProgramModel copy = model();
    ASSERT_FALSE(saveProgramAs(copy, work(u"expected.zpg"_s)).isEmpty());
    ASSERT_TRUE(writeFile(work(u"expected-name.txt"_s), model().program().Dateiname.toUtf8()));
    ASSERT_TRUE(writeFile(work(u"ready"_s), "1"));
    QTest::qWait(120000);
    FAIL() << "the parent did not kill this process";
}

TEST_F(Recovery, AKilledProgramComesBackWithNothingLost)
{
    const QString original = copySample(u"Schule.zpg"_s);
    const QByteArray originalBytes = readFile(original);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kWorkDirVariable), workDir());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(workDir()); // an earlier test may have removed the folder we stand in
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=RecoveryChild.DISABLED_EditsAndWaitsToBeKilled"_s,
                 u"--gtest_also_run_disabled_tests"_s});
    ASSERT_TRUE(child.waitForStarted());
    const QString ready = work(u"ready"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ready) || child.state() == QProcess::NotRunning; }, 60000));
    ASSERT_TRUE(QFile::exists(ready)) << child.readAllStandardOutput().toStdString()
                                      << child.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(readFile(original), originalBytes) << "the program file is never written without saving";

    answer(kRecoveryQuestion, Answer::Yes);
    startWith(4);
    EXPECT_EQ(std::tuple(questions(), model().program().Dateiname), std::tuple(1, QString::fromUtf8(readFile(work(u"expected-name.txt"_s)))));
    EXPECT_TRUE(model().Geaendert == 1 && frame()->isWindowModified());
    const QByteArray expected = readFile(work(u"expected.zpg"_s));
    ProgramModel copy = model();
    EXPECT_EQ(readFile(saveProgramAs(copy, work(u"compare.zpg"_s))), expected);
    EXPECT_TRUE(expected != originalBytes && readFile(original) == originalBytes);
    // Saving it makes the copy go.
    trigger("mnudatspei");
    EXPECT_TRUE(model().Geaendert == 0 && !kept() && readFile(original) == expected);
}

TEST_F(Recovery, DiscardedOrOutdatedCopiesAreNotRestored)
{
    const QString original = copySample(u"Schule.zpg"_s);
    ProgramModel modified = modelForRow(4);
    ASSERT_EQ(LoadProgram(modified, original, kProgramSlot), LoadOk);
    modified.program().Verwendung = u"nie gespeichert"_s;
    // Discarded: the copy goes, the program is the new empty one.
    ASSERT_TRUE(WriteRecoveryFile(workDir(), TakeRecoveryImage(modified, QDateTime::currentDateTimeUtc())));
    answer(kRecoveryQuestion, Answer::No);
    startWith(4);
    EXPECT_TRUE(questions() == 1 && !kept() && model().program().AnzEintrag == 0);
    // The program file saved after the copy was made: not offered.
    app_.reset();
    ASSERT_TRUE(WriteRecoveryFile(workDir(), TakeRecoveryImage(modified, QDateTime::currentDateTimeUtc())));
    QFile f(original);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QFileInfo(recoveryFile()).lastModified().addSecs(5), QFileDevice::FileModificationTime));
    f.close();
    startWith(4);
    EXPECT_TRUE(questions() == 1 && model().program().Verwendung != u"nie gespeichert"_s);
    EXPECT_TRUE(kept()) << "left alone: only a copy this run wrote is removed";
}

TEST_F(Recovery, UndoToTheSavedStateOrLeavingWithoutSavingRemovesTheCopy)
{
    startWith(4);
    openSample(u"Schule.zpg"_s);
    deleteRows(1, 3);
    ASSERT_TRUE(model().Geaendert == 1 && !kept());
    frame()->recovery().writeNow();
    const auto found = FindRecovery(workDir());
    ASSERT_EQ(found.state, RecoveryState::Offer);
    EXPECT_EQ(found.image.snapshot, TakeSnapshot(model()));
    trigger("mnuBaUndo");
    EXPECT_TRUE(model().Geaendert == 0 && !kept());
    trigger("mnuBaRedo");
    frame()->recovery().writeNow();
    EXPECT_TRUE(kept());
    answer(TextId::SaveChangesIn, Answer::Cancel);
    trigger("mnuDatBend");
    EXPECT_TRUE(frame()->isVisible() && kept()) << "still unsaved: the copy stays";
    answer(TextId::SaveChangesIn, Answer::No);
    trigger("mnuDatBend");
    EXPECT_FALSE(kept());
}

} // namespace zendrik::test
