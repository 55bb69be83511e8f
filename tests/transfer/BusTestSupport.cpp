#include "tests/transfer/BusTestSupport.h"

#include "tests/support/TestPrograms.h"
#include "transfer/bus/BusApplication.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QTime>

namespace zendrik::test {

QByteArray Frame(std::initializer_list<int> bytes)
{
    QByteArray b;
    for (const int v : bytes)
        b += static_cast<char>(v);
    return b;
}

BusFixture::BusFixture(const QByteArray& busDescription, ProgramModel m) : model(std::move(m)), description(busDescription)
{
    texts.LoadGerman();
    QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), path(kTransferApplicationFileName));
    reopenBus(busDescription);
}

QString BusFixture::path(const QString& name) const
{
    return QDir(dir.path()).filePath(name);
}

void BusFixture::reopenBus(const QByteArray& busDescription)
{
    if (!busDescription.isEmpty())
        description = busDescription;
    access.reset();
    bus.reset();
    writeFile(path(QStringLiteral("bus-sim.ini")), description);
    QString error;
    bus = SimulatedBus::fromFile(path(QStringLiteral("bus-sim.ini")), &error);
    if (!bus)
        qFatal("bus description refused: %s", qPrintable(error));
    access = std::make_unique<BusAccess>(model, ui, texts, dir.path());
    access->setLink(bus.get(), 0, QStringLiteral("1"));
    access->timeOfDay = [] { return QTime(12, 34, 56, 780); };
}

QStringList BusFixture::logLines() const
{
    QStringList lines;
    for (const QByteArray& l : SplitLines(readFile(path(QStringLiteral("protocol.txt")))))
        lines << QString::fromLatin1(l);
    return lines;
}

} // namespace zendrik::test
