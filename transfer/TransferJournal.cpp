#include "transfer/TransferJournal.h"

#include "model/ImageChecksum.h"
#include "model/ProgramModel.h"
#include "util/AtomicFile.h"
#include "util/CsvField.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace zendrik {

namespace {

const QString kHeader = QStringLiteral("time,path,where,confirmed,checksum,program");
constexpr int kFields = 6;
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");
constexpr std::array<std::pair<TransferPath, const char*>, 4> kPathNames{{
    {TransferPath::None, "none"}, {TransferPath::Bus, "bus"}, {TransferPath::Chip, "chip"}, {TransferPath::Ir, "ir"}}};

// One program file has one line, whichever way it was named.
QString programKey(const QString& programPath)
{
    return QDir::cleanPath(QFileInfo(programPath).absoluteFilePath());
}

// The rows of a CSV text; quoted fields may hold commas, quotes ("") and
// line breaks. A stray quote inside an unquoted field is taken as it is.
std::vector<QStringList> parseCsv(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = any = true;
        } else if (c == QLatin1Char(',')) {
            row << std::exchange(field, {});
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (any || !field.isEmpty()) {
                row << std::exchange(field, {});
                rows.push_back(std::exchange(row, {}));
            }
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        row << field;
        rows.push_back(row);
    }
    return rows;
}

std::optional<TransferRecord> recordOf(const QStringList& row)
{
    if (row.size() != kFields)
        return std::nullopt;
    TransferRecord r;
    r.when = QDateTime::fromString(row[0], kTimeFormat);
    if (!r.when.isValid())
        return std::nullopt;
    const auto path = std::find_if(kPathNames.begin(), kPathNames.end(),
                                   [&](const auto& p) { return row[1] == QLatin1String(p.second); });
    if (path == kPathNames.end())
        return std::nullopt;
    r.path = path->first;
    r.where = row[2];
    if (row[3] != QLatin1String("yes") && row[3] != QLatin1String("no"))
        return std::nullopt;
    r.confirmed = row[3] == QLatin1String("yes");
    static const QRegularExpression hex(QStringLiteral("^([0-9A-F]{8})?$"));
    if (!hex.match(row[4]).hasMatch())
        return std::nullopt;
    r.checksum = row[4];
    return r;
}

QString pathName(TransferPath path)
{
    for (const auto& [p, name] : kPathNames) {
        if (p == path)
            return QString::fromLatin1(name);
    }
    return QStringLiteral("none");
}

bool isHeader(const QStringList& row)
{
    return row.join(QLatin1Char(',')) == kHeader;
}

} // namespace

QString TransferJournalPath(const QString& workDir)
{
    return QDir(workDir.isEmpty() ? QStringLiteral(".") : workDir).filePath(kTransferJournalName);
}

std::optional<TransferRecord> JournalTransferIn(const QByteArray& journal, const QString& programPath)
{
    const QString key = programKey(programPath);
    std::optional<TransferRecord> found;
    for (const QStringList& row : parseCsv(QString::fromUtf8(journal))) {
        if (row.size() == kFields && row[5] == key && !isHeader(row))
            found = recordOf(row); // the last line of a file counts, should there be two
    }
    return found;
}

std::optional<TransferRecord> JournalTransfer(const QString& workDir, const QString& programPath)
{
    QFile file(TransferJournalPath(workDir));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return JournalTransferIn(file.readAll(), programPath);
}

bool RecordTransfer(const QString& workDir, const QString& programPath, const TransferRecord& record, QString* error)
{
    const QString key = programKey(programPath);
    QFile file(TransferJournalPath(workDir));
    QByteArray before;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = file.errorString();
            return false;
        }
        before = file.readAll();
        file.close();
    }
    QString text = kHeader + QLatin1Char('\n');
    for (const QStringList& row : parseCsv(QString::fromUtf8(before))) {
        if (isHeader(row) || (row.size() == kFields && row[5] == key))
            continue;
        QStringList fields;
        for (const QString& f : row)
            fields << CsvField(f);
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    const QStringList fields{record.when.toString(kTimeFormat),
                             pathName(record.path),
                             CsvField(record.where),
                             record.confirmed ? QStringLiteral("yes") : QStringLiteral("no"),
                             record.checksum,
                             CsvField(key)};
    text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    return WriteFileAtomically(TransferJournalPath(workDir), text.toUtf8(), error);
}

bool RecordProgramWrite(const QString& workDir, const ProgramModel& model, TransferPath path, const QString& where,
                        bool confirmed, QString* error)
{
    TransferRecord r;
    const QDateTime now = model.clock();
    r.when = now.addMSecs(-now.time().msec());
    r.path = path;
    r.where = where;
    r.confirmed = confirmed;
    r.checksum = ImageChecksum(model, 0);
    return RecordTransfer(workDir, model.program().Dateiname, r, error);
}

std::optional<Prompt> JournalProgramWrite(const QString& workDir, const ProgramModel& model, TransferPath path,
                                          const QString& where, bool confirmed)
{
    QString error;
    if (RecordProgramWrite(workDir, model, path, where, confirmed, &error))
        return std::nullopt;
    return Prompt::message(Icon::Exclamation, {kTransferNotJournaled, QStringLiteral(" ") + TransferJournalPath(workDir) + QStringLiteral(": ") + error});
}

} // namespace zendrik
