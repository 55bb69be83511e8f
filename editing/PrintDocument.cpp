#include "editing/PrintDocument.h"

#include "editing/ListFilter.h"
#include "editing/PrintTexts.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DeviceProperties.h"
#include "model/ExportTarget.h"
#include "model/FileNames.h"
#include "model/HeaderFields.h"
#include "model/ProgramModel.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zendrik {

namespace {

PrintTitle titleOf(const ProgramModel& model, const TextTable& texts, int slot)
{
    const ProgramSlot& s = model.slot(slot);
    PrintTitle t;
    t.fileName = s.Dateiname.isEmpty() ? texts(TextId::Unknown) : FileTitle(s.Dateiname);
    t.usage = texts(TextId::Usage) + QStringLiteral(": ") + s.Verwendung;
    t.programNumber = texts(TextId::ProgramNumber) + QStringLiteral(": ")
        + (s.ProgNr == kNoProgramNumber ? texts(kNoProgramNumberText) : QString::number(s.ProgNr));
    t.deviceType = texts(TextId::DeviceType) + QStringLiteral(": ") + model.device.Geraetename;
    if (const auto saved = SavedAt(s))
        t.fileDate = texts(TextId::FileDated) + DateTimeText(*saved, texts);
    else
        t.fileDate = texts(TextId::FileUnsaved).trimmed();
    return t;
}

// The section names of the printout, by view.
TextId sectionName(int ansicht)
{
    switch (ansicht) {
    case AnsichtPrioritaetszeiten:
        return TextId::PriorityTimes;
    case AnsichtSoWiTabelle:
        return TextId::DstTable;
    case AnsichtAstrozeiten:
        return TextId::AstroTimes;
    default:
        return TextId::SwitchingTimes;
    }
}

// A section of the printout: the whole list (a fresh filter is switched
// off), or the list as shown with the window's filter.
PrintBlock listBlock(const ProgramModel& model, const TextTable& texts, int ansicht, int slot,
                     const ListSources& sources, const ListFilter& filter = ListFilter())
{
    ProgramList list = ProgramList::Build(model, texts, filter, ansicht, slot, sources);
    PrintBlock block;
    block.title = texts(sectionName(ansicht)).trimmed();
    if (slot == kSampleSlot)
        block.title = texts(TextId::Sample).trimmed() + QLatin1Char(' ') + block.title;
    block.columns = std::move(list.columns);
    block.rows = std::move(list.rows);
    return block;
}

// The astro channels that have a table of their own: the one table of the
// astro device (channel 2 follows it), each astro channel 1..4 of the bus
// device; none on the other devices.
std::vector<int> astroChannelsOf(const ProgramModel& model, int slot)
{
    std::vector<int> channels;
    if (HasSharedAstroTable(model.device.Uhrentyp)) {
        channels.push_back(0);
    } else if (HasAstroTablePerChannel(model.device.Uhrentyp)) {
        const auto& aktiv = model.slot(slot).astro.AstroAktiv;
        for (int c = 0; c < kAstroChannels; ++c) {
            if (aktiv[static_cast<std::size_t>(c + 1)] != 0)
                channels.push_back(c);
        }
    }
    return channels;
}

void addListBlocks(PrintDocument& doc, const ProgramModel& model, const TextTable& texts, int ansicht, int slot,
                   ListSources sources)
{
    if (ansicht != AnsichtAstrozeiten) {
        doc.blocks.push_back(listBlock(model, texts, ansicht, slot, sources));
        return;
    }
    for (const int channel : astroChannelsOf(model, slot)) {
        sources.astroChannel = channel;
        PrintBlock block = listBlock(model, texts, ansicht, slot, sources);
        if (HasAstroTablePerChannel(model.device.Uhrentyp))
            block.title += QStringLiteral(" ") + texts(TextId::ChannelPrefix).trimmed() + QString::number(channel + 1);
        doc.blocks.push_back(std::move(block));
    }
}

} // namespace

PrintBlock DevicePropertiesBlock(const ProgramModel& model, const TextTable& texts)
{
    const DeviceSettings& d = model.device;
    PrintBlock block;
    block.title = texts(TextId::DevicePropertiesTitle);
    auto row = [&](TextId caption, const QString& value) {
        block.rows.push_back({texts(caption).trimmed(), value});
    };
    row(TextId::DeviceType, d.Geraetename);
    row(TextId::ChannelCount, QString::number(d.Kanalzahl));
    row(TextId::MemorySize, QString::number(d.MaxEintrag) + QLatin1Char(' ') + texts(TextId::SwitchingTimes));
    row(TextId::ClockLanguage, texts(d.SpracheUhr == 1 ? TextId::French : TextId::GermanEnglish));
    static constexpr TextId kRules[] = {TextId::DstNone, TextId::DstEurope, TextId::DstUk, TextId::DstUsa,
                                        TextId::DstByTable};
    row(TextId::DstRule, texts(kRules[std::clamp(d.SwRegel, 0, 4)]));
    if (d.Evu != 0) {
        if (d.MessKanal == 0) {
            row(TextId::MeterPulse, texts(TextId::NoMeterPulse));
        } else {
            row(TextId::MeterPulse, texts(TextId::ChannelWord).trimmed() + QLatin1Char(' ') + QString::number(d.MessKanal));
            block.rows.push_back({texts(TextId::MeterPeriodEq).trimmed(),
                                  QString::number(d.MessPeriode) + QLatin1Char(' ') + texts(TextId::Min)});
            block.rows.push_back({texts(TextId::PulseLengthEq).trimmed(),
                                  QString::number(d.MessImpDauer) + texts(TextId::Seconds)});
            block.rows.push_back({QString(), texts(d.MessZustand == 0 ? TextId::MeasureRelayOn : TextId::MeasureRelayOff)});
            block.rows.push_back({QString(), texts(d.MessZeitpunkt == 0 ? TextId::AtPeriodStart : TextId::AtPeriodEnd)});
        }
    }
    if (HasSharedAstroTable(d.Uhrentyp))
        row(TextId::AstroTimesActOn, d.AstroC1C2 != 0 ? QStringLiteral("C1 + C2") : QStringLiteral("C1"));
    QString access;
    if (d.Lpt == 4 || d.Lpt == 5)
        access = texts(d.Lpt == 4 ? TextId::Com1 : TextId::Com2) + QStringLiteral(" (")
            + (d.Lpt == 4 ? d.SerialPort1 : d.SerialPort2) + QLatin1Char(')');
    else
        access = texts(TextId::ViaLpt) + QString::number(d.Lpt) + QStringLiteral(" (") + d.AdapterTool
            + QLatin1Char(')');
    row(TextId::ChipAccess, access.trimmed());
    row(TextId::DelayFactor, QString::number(d.Delay / 4));
    row(TextId::PrintSettings, texts(TextId::HeaderEvery) + QString::number(d.Zeilen) + texts(TextId::LinesSuffix));
    return block;
}

PrintDocument BuildPrintDocument(const ProgramModel& model, const TextTable& texts, const PrintRequest& request,
                                 const ListSources& sources)
{
    PrintDocument doc;
    doc.Zeilen = model.device.Zeilen;
    const int slot = request.DruckAktuell != 0 ? request.shownSlot : kProgramSlot;
    doc.title = titleOf(model, texts, slot);

    const std::pair<bool, int> sections[] = {
        {request.Schaltzeiten, AnsichtSchaltzeiten},
        {request.Prioritaetszeiten, AnsichtPrioritaetszeiten},
        {request.SoWiTabelle, AnsichtSoWiTabelle},
        {request.Astrozeiten, AnsichtAstrozeiten},
    };
    for (const auto& [wanted, ansicht] : sections) {
        if (wanted)
            addListBlocks(doc, model, texts, ansicht, kProgramSlot, sources);
    }
    if (request.Geraeteeigenschaften)
        doc.blocks.push_back(DevicePropertiesBlock(model, texts));
    if (request.DruckAktuell != 0) {
        ListSources shown = sources;
        shown.astroChannel = request.shownAstroChannel;
        doc.blocks.push_back(
            listBlock(model, texts, request.DruckAktuell - 1, request.shownSlot, shown, request.shownFilter));
    }
    return doc;
}

std::vector<PrintLine> PrintLines(const PrintDocument& document)
{
    std::vector<PrintLine> lines;
    const PrintTitle& t = document.title;
    for (int b = 0; b < static_cast<int>(document.blocks.size()); ++b) {
        const PrintBlock& block = document.blocks[static_cast<std::size_t>(b)];
        if (b > 0)
            lines.push_back({PrintLine::PageBreak, {}, b});
        lines.push_back({PrintLine::SectionStart, {block.title + QStringLiteral("  ") + t.fileName}, b});
        for (const QString& text : {t.usage, t.programNumber, t.deviceType, t.fileDate})
            lines.push_back({PrintLine::TitleLine, {text}, b});

        QStringList headings;
        for (const ListColumn& c : block.columns)
            headings << c.heading;
        if (block.isList())
            lines.push_back({PrintLine::Heading, headings, b});
        for (int row = 1; row <= static_cast<int>(block.rows.size()); ++row) {
            const bool repeat = block.isList() && document.Zeilen >= 1 && row > 1
                && (row - 1) % document.Zeilen == 0;
            if (repeat) {
                lines.push_back({PrintLine::PageBreak, {}, b});
                lines.push_back({PrintLine::Heading, headings, b});
            }
            lines.push_back({PrintLine::Row, block.rows[static_cast<std::size_t>(row - 1)], b});
        }
    }
    return lines;
}

QStringList PrintTextLines(const PrintDocument& document)
{
    // Column widths per section: the widest heading or cell.
    std::vector<std::vector<qsizetype>> widths(document.blocks.size());
    for (std::size_t b = 0; b < document.blocks.size(); ++b) {
        const PrintBlock& block = document.blocks[b];
        std::vector<qsizetype>& w = widths[b];
        auto widen = [&w](const QStringList& cells) {
            if (w.size() < static_cast<std::size_t>(cells.size()))
                w.resize(static_cast<std::size_t>(cells.size()), 0);
            for (qsizetype i = 0; i < cells.size(); ++i)
                w[static_cast<std::size_t>(i)] = std::max(w[static_cast<std::size_t>(i)], cells[i].size());
        };
        QStringList headings;
        for (const ListColumn& c : block.columns)
            headings << c.heading;
        widen(headings);
        for (const QStringList& row : block.rows)
            widen(row);
    }

    QStringList out;
    PrintLine::Kind previous = PrintLine::PageBreak;
    for (const PrintLine& line : PrintLines(document)) {
        // One empty line between the title block and the list.
        if (previous == PrintLine::TitleLine && line.kind != PrintLine::TitleLine)
            out << QString();
        previous = line.kind;
        switch (line.kind) {
        case PrintLine::PageBreak:
            out << QStringLiteral("\f");
            break;
        case PrintLine::SectionStart:
        case PrintLine::TitleLine:
            out << line.cells.value(0);
            break;
        case PrintLine::Heading:
        case PrintLine::Row: {
            const std::vector<qsizetype>& w = widths[static_cast<std::size_t>(line.block)];
            QString text;
            for (qsizetype i = 0; i < line.cells.size(); ++i) {
                if (i > 0)
                    text += QStringLiteral("  ");
                text += line.cells[i].leftJustified(w[static_cast<std::size_t>(i)]);
            }
            // Trailing blanks carry nothing on paper.
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            out << text;
            break;
        }
        }
    }
    return out;
}

bool WritePrintText(const PrintDocument& document, const QString& path, QString* error)
{
    QByteArray bytes;
    for (const QString& line : PrintTextLines(document))
        bytes += line.toUtf8() + "\r\n";
    return WriteExportFile(path, bytes, error);
}

QString PrintTextTarget(const QString& programFile)
{
    if (programFile.trimmed().isEmpty())
        return QString();
    const QFileInfo info(programFile);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    if (base.isEmpty())
        return QString();
    return info.dir().filePath(base + QStringLiteral(".txt"));
}

PrintTextCheck CheckPrintTextTarget(const QString& programFile, const QString& target)
{
    if (programFile.trimmed().isEmpty() || target.isEmpty())
        return PrintTextCheck::NoName;
    return CheckExportTarget(target, programFile) == ExportTargetCheck::ProgramFile ? PrintTextCheck::IsProgramFile
                                                                                    : PrintTextCheck::Ok;
}

} // namespace zendrik
