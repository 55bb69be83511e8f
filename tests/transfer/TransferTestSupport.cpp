#include "tests/transfer/TransferTestSupport.h"

#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "transfer/bus/BusApplication.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QTime>

namespace zendrik::test {

static QDateTime FixedClock() { return QDateTime(QDate(2026, 3, 14), QTime(9, 26)); }

Image MakeProgramFile(const QString& path, int row, int entries)
{
    ProgramModel model;
    model.clock = FixedClock;
    StartNewProgram(model, row, QStringLiteral("unbekannt"), path);
    ProgramSlot& s = model.program();
    // Distinct times, weekdays and channels, so every block of the image differs from its neighbours.
    for (int i = 0; i < entries && i < model.device.MaxEintrag; ++i)
        s.Eintrag[std::size_t(i)] = BuildWeeklyEntry((i * 7) % 1440, 1 + i % 127, 1 + i % 15 % model.device.Kanalzahl, i % 2, 0, i % 10);
    s.AnzSz = s.AnzEintrag = std::min(entries, model.device.MaxEintrag);
    s.Verwendung = QStringLiteral("Halle 3");
    ScriptedInteraction yes = ScriptedInteraction::answering(true);
    SaveProgram(model, yes);
    return ImageOfFile(path, model.device.Speichergroesse);
}

void ProgramInFolder::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    model.clock = FixedClock;
    StartNewProgram(model, kRow, QStringLiteral("unbekannt"), path(QStringLiteral("SzTab1.zpg")));
}

QString ProgramInFolder::path(const QString& name) const { return QDir(dir.path()).filePath(name); }

Image ProgramInFolder::openProgram(int entries)
{
    const Image image = MakeProgramFile(path(QStringLiteral("halle.zpg")), kRow, entries);
    EXPECT_EQ(LoadProgram(model, path(QStringLiteral("halle.zpg")), kProgramSlot), LoadOk);
    model.Geaendert = 0;
    return image;
}

QStringList ProgramInFolder::asked(const ScriptedInteraction& ui) const
{
    QStringList out;
    for (const Prompt& p : ui.asked()) out << p.render(texts);
    return out;
}

Image ImageOfFile(const QString& path, int size) { return ReadImageNumbers(readFile(path), size); }

QStringList ReadLines(const QString& path)
{
    QString text = QString::fromLatin1(readFile(path));
    if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
    return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (const int v : values) b += static_cast<char>(v);
    return b;
}

QString Hex(const Image& image, std::size_t from, std::size_t count)
{
    QString s;
    for (std::size_t i = from; i < from + count; ++i) s += QStringLiteral(" %1").arg(image[i], 0, 16).toUpper();
    return s;
}

BusFixture::BusFixture(const QByteArray& busDescription, ProgramModel m) : model(std::move(m)), description(busDescription)
{
    texts.LoadGerman();
    QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), path(kTransferApplicationFileName));
    reopenBus(busDescription);
}

QString BusFixture::path(const QString& name) const { return QDir(dir.path()).filePath(name); }

void BusFixture::reopenBus(const QByteArray& busDescription)
{
    if (!busDescription.isEmpty()) description = busDescription;
    access.reset();
    bus.reset();
    writeFile(path(QStringLiteral("bus-sim.ini")), description);
    QString error;
    bus = SimulatedBus::fromFile(path(QStringLiteral("bus-sim.ini")), &error);
    if (!bus) qFatal("bus description refused: %s", qPrintable(error));
    access = std::make_unique<BusAccess>(model, ui, texts, dir.path());
    access->setLink(bus.get(), 0, QStringLiteral("1"));
    access->timeOfDay = [] { return QTime(12, 34, 56, 780); };
}

QStringList BusFixture::logLines() const
{
    QStringList lines;
    for (const QByteArray& l : SplitLines(readFile(path(QStringLiteral("protocol.txt"))))) lines << QString::fromLatin1(l);
    return lines;
}

} // namespace zendrik::test
