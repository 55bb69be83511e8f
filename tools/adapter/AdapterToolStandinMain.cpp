// zendrik-adapter-tool: stands in for the parallel-port adapter tool. Like
// the real tool it reads zendrik.msg in its working directory, writes the
// file named there into the chip ("s") or the chip into card.dat ("l"), and
// leaves its result code and an address in card.msg. The chip is the same
// binary file the serial adapter emulator keeps.

#include "model/ProgramFile.h"
#include "transfer/MessageFile.h"
#include "transfer/chip/AdapterToolResult.h"
#include "transfer/chip/CardDatFile.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>

using namespace zendrik;

namespace {

// Codes the tool reports; 0 is success.
constexpr int kNoChip = 2;
constexpr int kAddressError = 4;

QByteArray readFile(const QString& path, bool* ok)
{
    const LimitedRead read = ReadRegularFile(path, 16 * 1024 * 1024);
    *ok = read.ok();
    return read.data;
}

AdapterToolResult run(const QString& eepromPath, int chipSize)
{
    bool ok = false;
    const auto message = ParseMessageFile(readFile(kMessageFileName, &ok));
    if (!ok || !message)
        return {kAddressError, 0};
    // A chip never written holds 0xFF everywhere; a file of another size is
    // no chip this tool knows.
    QByteArray chip = QFile::exists(eepromPath) ? readFile(eepromPath, &ok) : QByteArray(chipSize, '\xFF');
    if (!ok || chip.size() != chipSize)
        return {kNoChip, 0};

    if (message->direction == QLatin1String("s")) {
        const Image image = ReadImageNumbers(readFile(message->fileName, &ok), static_cast<int>(chip.size()));
        if (!ok || image.empty())
            return {kAddressError, 0};
        for (std::size_t i = 0; i < image.size(); ++i)
            chip[static_cast<qsizetype>(i)] = static_cast<char>(image[i]);
        return WriteFileAtomically(eepromPath, chip) ? AdapterToolResult{0, 0} : AdapterToolResult{kAddressError, 0};
    }
    if (message->direction == QLatin1String("l")) {
        Image bytes;
        for (const char c : std::as_const(chip))
            bytes.push_back(static_cast<quint8>(c));
        return WriteFileAtomically(kCardDatFileName, CardDatText(bytes)) ? AdapterToolResult{0, 0}
                                                                         : AdapterToolResult{kAddressError, 0};
    }
    return {kAddressError, 0};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Stand-in for the parallel-port adapter tool."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("eeprom"), QStringLiteral("Binary file holding the chip."), QStringLiteral("file")},
        {QStringLiteral("chip"), QStringLiteral("24c16 (2048 bytes, default) or 24c64 (8192 bytes)."),
         QStringLiteral("type")},
        {QStringLiteral("result"), QStringLiteral("Report this result code instead of doing the job."),
         QStringLiteral("code")},
        {QStringLiteral("address"), QStringLiteral("Address reported with --result."), QStringLiteral("n")},
        {QStringLiteral("no-result"), QStringLiteral("Write no card.msg at all.")},
        {QStringLiteral("delay-ms"), QStringLiteral("Work this long before finishing."), QStringLiteral("ms")},
    });
    p.process(app);
    if (!p.isSet(QStringLiteral("eeprom"))) {
        std::fprintf(stderr, "zendrik-adapter-tool: --eeprom FILE is required\n");
        return 2;
    }
    QThread::msleep(p.value(QStringLiteral("delay-ms")).toULong());

    AdapterToolResult result;
    if (p.isSet(QStringLiteral("result")))
        result = {p.value(QStringLiteral("result")).toInt(), p.value(QStringLiteral("address")).toInt()};
    else
        result = run(p.value(QStringLiteral("eeprom")),
                     p.value(QStringLiteral("chip")).toLower() == QLatin1String("24c64") ? 8192 : 2048);
    if (!p.isSet(QStringLiteral("no-result")) && !WriteFileAtomically(kCardMessageFileName, CardMessageText(result)))
        return 1;
    return 0;
}
