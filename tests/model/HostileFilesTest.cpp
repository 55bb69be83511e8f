// Pipes, endless devices, folders, link loops where a file is expected: every reader returns at once with the reason; every writer leaves such a
// target alone and writes through links.
#include "app/Settings.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "language/FileStateText.h"
#include "model/BrandFile.h"
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

enum class Kind { Fifo, EndlessDevice, Folder, LinkLoop, Unreadable };

struct Hostile { const char* name; Kind kind; FileState state; };

const Hostile kHostile[] = {
    {"fifo", Kind::Fifo, FileState::NotRegular},
    {"dev_zero", Kind::EndlessDevice, FileState::NotRegular},
    {"folder", Kind::Folder, FileState::NotRegular},
    {"link_loop", Kind::LinkLoop, FileState::LinkLoop},
    {"unreadable", Kind::Unreadable, FileState::NoPermission},
};

void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name; }

// Puts the hostile thing at `path`; false when this machine cannot (root reads everything).
bool make(Kind kind, const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    switch (kind) {
    case Kind::Fifo: return ::mkfifo(p.constData(), 0600) == 0;
    case Kind::EndlessDevice: return QFile::link(QStringLiteral("/dev/zero"), path);
    case Kind::Folder: return QDir().mkpath(path);
    case Kind::LinkLoop: return ::symlink(p.constData(), p.constData()) == 0;
    case Kind::Unreadable: return writeFile(path, "x") && ::chmod(p.constData(), 0) == 0 && ::access(p.constData(), R_OK) != 0;
    }
    return false;
}

// Runs `read` with a watchdog: a reader that blocks fails the test instead of hanging it.
template <typename Result>
std::optional<Result> withinSeconds(std::function<Result()> read)
{
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(read));
    std::future<Result> done = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    return done.wait_for(10s) == std::future_status::ready ? std::optional(done.get()) : std::nullopt;
}

class HostileFiles : public ::testing::TestWithParam<Hostile> {
protected:
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
};

} // namespace

TEST_P(HostileFiles, EveryReaderReturnsAtOnceWithTheReason)
{
    const Hostile& h = GetParam();
    if (!make(h.kind, target)) { GTEST_SKIP() << h.name << " cannot be made on this machine (running as root?)"; }

    EXPECT_EQ(withinSeconds<FileState>([&] { return CheckInputFile(target); }), h.state);
    const auto read = withinSeconds<LimitedRead>([&] { return ReadRegularFile(target, 1024); });
    ASSERT_TRUE(read.has_value()) << "ReadRegularFile blocked";
    EXPECT_EQ(std::pair(read->state, read->data.isEmpty()), std::pair(h.state, true));

    const auto loaded = withinSeconds<int>([&] { ProgramModel m = modelForRow(4); return LoadProgram(m, target, kProgramSlot); });
    ASSERT_TRUE(loaded.has_value()) << "LoadProgram blocked";
    EXPECT_EQ(*loaded, h.state == FileState::LinkLoop ? LoadLinkLoop : h.state == FileState::NoPermission ? LoadNoPermission : LoadNotAFile);
    // The message names the path and what is wrong, in the chosen language.
    const TextTable english = textsIn(2);
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
    for (const auto& [name, refused] : readers) EXPECT_EQ(withinSeconds<bool>(refused), true) << name;
}

TEST_P(HostileFiles, WritersLeaveTheTargetAlone)
{
    const Hostile& h = GetParam();
    if (h.kind == Kind::Unreadable) GTEST_SKIP() << "an unreadable regular file is replaced like any file";
    ASSERT_TRUE(make(h.kind, target));
    const QFileInfo before(target);
    QString error;
    const auto written = withinSeconds<bool>([&] { return WriteFileAtomically(target, "new", &error); });
    ASSERT_TRUE(written.has_value()) << "the writer blocked";
    EXPECT_EQ(std::pair(*written, error.isEmpty()), std::pair(false, false));
    const QFileInfo after(target);
    EXPECT_EQ(std::tuple(after.isSymLink(), after.isDir(), after.isFile()), std::tuple(before.isSymLink(), before.isDir(), before.isFile()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileFiles, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

// Writing through a link writes its target (creating a dangling one's); a link to a device is refused: never /dev/null replaced. A reader takes no
// more than its limit.
TEST(FileWriter, WritesThroughLinksAndReadsNoMoreThanItsLimit)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(writeFile(at("real.zpg"), "old"));
    for (const auto& [link, target] : {std::pair(at("link.zpg"), at("real.zpg")), std::pair(at("dangling.zpg"), at("created.zpg"))}) {
        ASSERT_TRUE(QFile::link(target, link));
        ASSERT_TRUE(WriteFileAtomically(link, "new"));
        EXPECT_EQ(std::pair(QFileInfo(link).isSymLink(), readFile(target)), std::pair(true, QByteArray("new")));
    }
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), at("null.zpg")));
    EXPECT_FALSE(WriteFileAtomically(at("null.zpg"), "x"));
    struct stat st { };
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    ASSERT_TRUE(writeFile(at("big"), QByteArray(2000, 'a')));
    const LimitedRead over = ReadRegularFile(at("big"), 1000), fits = ReadRegularFile(at("big"), 2000);
    EXPECT_EQ(std::tuple(over.tooLarge, over.ok(), over.data.size(), fits.tooLarge, fits.ok(), fits.data.size()), std::tuple(true, false, 0, false, true, 2000));
    // Lines ending in a lone carriage return are read by the settings and the port file alike.
    QTemporaryDir iniDir;
    const QString ini = iniDir.filePath(QStringLiteral("zendrik.ini"));
    DeviceSettings written, read, ports;
    std::tie(written.Zeilen, written.Sprache) = std::tuple(33, 2);
    ASSERT_TRUE(WriteSettings(ini, written));
    ASSERT_TRUE(writeFile(ini, readFile(ini).replace("\r\n", "\r").replace('\n', '\r')));
    ASSERT_TRUE(ReadSettings(ini, read));
    EXPECT_EQ(std::pair(read.Zeilen, read.Sprache), std::pair(33, 2));
    ParsePortSettings("COM1=/dev/ttyUSB3\rCOM2=/dev/ttyS9\r", ports);
    EXPECT_EQ(std::pair(ports.SerialPort1, ports.SerialPort2), std::pair(QStringLiteral("/dev/ttyUSB3"), QStringLiteral("/dev/ttyS9")));
}
