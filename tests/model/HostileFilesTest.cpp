// What the outside world may put where a file is expected: pipes, endless
// devices, folders, link loops. Every reader returns at once with the
// reason; every writer leaves such a target alone and writes through links.
#include "app/Settings.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "language/FileStateText.h"
#include "language/TextTable.h"
#include "model/BrandFile.h"
#include "model/DeviceImage.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "transfer/PortSettings.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace std::chrono_literals;

namespace {

enum class Kind { Fifo,
                  EndlessDevice,
                  Folder,
                  LinkLoop,
                  Unreadable };

struct Hostile {
    const char* name;
    Kind kind;
    FileState state;
};

const Hostile kHostile[] = {
    {"fifo", Kind::Fifo, FileState::NotRegular},
    {"dev_zero", Kind::EndlessDevice, FileState::NotRegular},
    {"folder", Kind::Folder, FileState::NotRegular},
    {"link_loop", Kind::LinkLoop, FileState::LinkLoop},
    {"unreadable", Kind::Unreadable, FileState::NoPermission},
};

void PrintTo(const Hostile& h, std::ostream* os)
{
    *os << h.name;
}

// Puts the hostile thing at `path`; false when this machine cannot make it
// (an unreadable file cannot be made for root, who reads everything).
bool make(Kind kind, const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    switch (kind) {
    case Kind::Fifo:
        return ::mkfifo(p.constData(), 0600) == 0;
    case Kind::EndlessDevice:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case Kind::Folder:
        return QDir().mkpath(path);
    case Kind::LinkLoop:
        return ::symlink(p.constData(), p.constData()) == 0;
    case Kind::Unreadable:
        return writeFile(path, "x") && ::chmod(p.constData(), 0) == 0 && ::access(p.constData(), R_OK) != 0;
    }
    return false;
}

// Runs `read` with a watchdog: a reader that blocks on a pipe or reads an
// endless device without limit fails the test instead of hanging it.
template <typename Result>
std::optional<Result> withinSeconds(std::function<Result()> read)
{
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(read));
    std::future<Result> done = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (done.wait_for(10s) != std::future_status::ready)
        return std::nullopt;
    return done.get();
}

class HostileFiles : public ::testing::TestWithParam<Hostile> {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

} // namespace

TEST_P(HostileFiles, EveryReaderReturnsAtOnceWithTheReason)
{
    const Hostile& h = GetParam();
    const QString target = path(QStringLiteral("target"));
    if (!make(h.kind, target))
        GTEST_SKIP() << h.name << " cannot be made on this machine (running as root?)";

    EXPECT_EQ(withinSeconds<FileState>([&] { return CheckInputFile(target); }), h.state);
    const auto read = withinSeconds<LimitedRead>([&] { return ReadRegularFile(target, 1024); });
    ASSERT_TRUE(read.has_value()) << "ReadRegularFile blocked";
    EXPECT_EQ(read->state, h.state);
    EXPECT_TRUE(read->data.isEmpty());

    const auto loaded = withinSeconds<int>([&] { ProgramModel m = modelForRow(4); return LoadProgram(m, target, kProgramSlot); });
    ASSERT_TRUE(loaded.has_value()) << "LoadProgram blocked";
    const int expected = h.state == FileState::LinkLoop ? LoadLinkLoop
        : h.state == FileState::NoPermission            ? LoadNoPermission
                                                        : LoadNotAFile;
    EXPECT_EQ(*loaded, expected);
    // The message names the path and what is wrong, in the chosen language.
    TextTable english;
    english.LoadEnglish();
    const QString message = LoadResultMessage(*loaded, 1, target).render(english);
    EXPECT_TRUE(message.contains(target)) << message.toStdString();
    EXPECT_EQ(message, FileStatePrompt(h.state, target).render(english));
    EXPECT_FALSE(message.contains(english(TextId::FileNotFound).trimmed())) << message.toStdString();

    // Every other reader refuses it.
    const std::pair<const char*, std::function<bool()>> readers[] = {
        {"settings", [&] { DeviceSettings d; return !ReadSettings(target, d); }},
        {"brand", [&] { return ReadBrandFile(target) == 0; }},
        {"ports", [&] { DeviceSettings d; return !ReadPortSettings(target, d); }},
        {"holidays", [&] { FeiertagTabelle t; return t.read(target) != FeiertagResult::Ok; }},
        {"places", [&] { PlaceList p; return p.read(target) == PlaceFileResult::Unreadable; }},
        {"texts", [&] { TextTable t; return t.LoadTexts(target).status == TextFileStatus::Unreadable; }},
    };
    for (const auto& [name, refused] : readers)
        EXPECT_EQ(withinSeconds<bool>(refused), true) << name;
}

TEST_P(HostileFiles, WritersLeaveTheTargetAlone)
{
    const Hostile& h = GetParam();
    if (h.kind == Kind::Unreadable)
        GTEST_SKIP() << "an unreadable regular file is replaced like any file";
    const QString target = path(QStringLiteral("target"));
    ASSERT_TRUE(make(h.kind, target));
    const QFileInfo before(target);
    QString error;
    const auto written = withinSeconds<bool>([&] { return WriteFileAtomically(target, "new", &error); });
    ASSERT_TRUE(written.has_value()) << "the writer blocked";
    EXPECT_FALSE(*written);
    EXPECT_FALSE(error.isEmpty());
    const QFileInfo after(target);
    EXPECT_EQ(std::tuple(after.isSymLink(), after.isDir(), after.isFile()), std::tuple(before.isSymLink(), before.isDir(), before.isFile()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileFiles, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileWriter, WritesThroughLinksAndCreatesTheTargetOfADanglingOne)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.zpg"));
    const QString link = dir.filePath(QStringLiteral("link.zpg"));
    ASSERT_TRUE(writeFile(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(real), QByteArray("new"));

    const QString dangling = dir.filePath(QStringLiteral("dangling.zpg"));
    const QString created = dir.filePath(QStringLiteral("created.zpg"));
    ASSERT_TRUE(QFile::link(created, dangling));
    ASSERT_TRUE(WriteFileAtomically(dangling, "fresh"));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(readFile(created), QByteArray("fresh"));

    // A link to a device is refused: never /dev/null replaced by a file.
    const QString toDevice = dir.filePath(QStringLiteral("null.zpg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), toDevice));
    EXPECT_FALSE(WriteFileAtomically(toDevice, "x"));
    struct stat st { };
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(FileReader, ReadsNoMoreThanItsLimit)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big"));
    ASSERT_TRUE(writeFile(file, QByteArray(2000, 'a')));
    const LimitedRead read = ReadRegularFile(file, 1000);
    EXPECT_EQ(std::tuple(read.tooLarge, read.ok(), read.data.size()), std::tuple(true, false, 0));
    const LimitedRead fits = ReadRegularFile(file, 2000);
    EXPECT_EQ(std::tuple(fits.tooLarge, fits.ok(), fits.data.size()), std::tuple(false, true, 2000));
}

TEST(SettingsFile, LinesEndingInALoneCarriageReturnAreAllRead)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zendrik.ini"));
    DeviceSettings written;
    written.Zeilen = 33;
    written.Sprache = 2;
    ASSERT_TRUE(WriteSettings(ini, written));
    QByteArray text = readFile(ini);
    text.replace("\r\n", "\r");
    text.replace('\n', '\r');
    ASSERT_TRUE(writeFile(ini, text));
    DeviceSettings read;
    ASSERT_TRUE(ReadSettings(ini, read));
    EXPECT_EQ(read.Zeilen, 33);
    EXPECT_EQ(read.Sprache, 2);

    // The port file splits its lines the same way.
    DeviceSettings ports;
    ParsePortSettings("COM1=/dev/ttyUSB3\rCOM2=/dev/ttyS9\r", ports);
    EXPECT_EQ(ports.SerialPort1, QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(ports.SerialPort2, QStringLiteral("/dev/ttyS9"));
}
