#include "editing/HandoverDocument.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/YearSimulation.h"
#include "editing/PrintTexts.h"
#include "editing/checks/ProgramChecks.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/HeaderFields.h"
#include "model/ImageChecksum.h"
#include "model/ProgramModel.h"

namespace zendrik {

namespace {

// "Programmnummer: 12" into its caption and value.
std::pair<QString, QString> split(const QString& line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {line.trimmed(), QString()};
    return {line.left(colon).trimmed(), line.mid(colon + 1).trimmed()};
}

QString channelLabel(const ProgramModel& model, const TextTable& texts, int channel)
{
    const QString name =
        ShownChannelName(model.program().Kanalname[static_cast<std::size_t>(channel)]).trimmed();
    QString label = texts(TextId::ChannelPrefix).trimmed() + QString::number(channel + 1);
    if (!name.isEmpty())
        label += QStringLiteral(": ") + name;
    return label;
}

QString counted(int count, const ExtraText& one, const ExtraText& many, const TextTable& texts)
{
    return count == 1 ? texts(one) : texts(many).arg(count);
}

} // namespace

HandoverProofState ProofState(const std::optional<TransferRecord>& last, const QString& checksum)
{
    if (!last)
        return HandoverProofState::Never;
    if (last->failed)
        return HandoverProofState::Failed;
    if (last->differs)
        return HandoverProofState::Differs;
    // Without the checksum of what was transferred nothing proves that the
    // device holds the program as it stands.
    if (last->checksum.isEmpty() || last->checksum != checksum)
        return HandoverProofState::ChangedSince;
    return HandoverProofState::Transferred;
}

QString TransferPathText(TransferPath path, const QString& where, const TextTable& texts)
{
    switch (path) {
    case TransferPath::Bus:
        return texts(kHandoverByBus).arg(where);
    case TransferPath::Chip:
        return texts(kHandoverByChip).arg(where);
    case TransferPath::Ir:
        return texts(kHandoverByIr).arg(where);
    case TransferPath::None:
        break;
    }
    return {};
}

QString LastTransferText(HandoverProofState state, const std::optional<TransferRecord>& last, const TextTable& texts)
{
    if (!last || state == HandoverProofState::Never)
        return texts(kHandoverNeverTransferred);
    const QString when = DateTimeText(last->when, texts);
    switch (state) {
    case HandoverProofState::ChangedSince:
        return texts(kHandoverChangedSince).arg(when);
    case HandoverProofState::Failed:
        return texts(kHandoverTransferFailed).arg(when);
    case HandoverProofState::Differs:
        return texts(kHandoverDeviceDiffers).arg(when);
    case HandoverProofState::Never:
    case HandoverProofState::Transferred:
        break;
    }
    QStringList parts{when};
    if (const QString path = TransferPathText(last->path, last->where, texts); !path.isEmpty())
        parts << path;
    if (last->read)
        parts << texts(kHandoverReadBack);
    else
        parts << texts(last->confirmed ? kHandoverConfirmed : kHandoverNotConfirmed);
    return parts.join(QStringLiteral(", "));
}

QString FindingCountText(int errors, int warnings, int notes, const TextTable& texts)
{
    if (errors == 0 && warnings == 0 && notes == 0)
        return texts(kHandoverNoFindings);
    QStringList parts{counted(warnings, kHandoverOneWarning, kHandoverWarnings, texts),
                      counted(errors, kHandoverOneError, kHandoverErrors, texts)};
    if (notes > 0)
        parts << counted(notes, kHandoverOneNote, kHandoverNotes, texts);
    return parts.join(QStringLiteral(", "));
}

HandoverDocument BuildHandoverDocument(const ProgramModel& model, const TextTable& texts, int year,
                                       const ListSources& sources, const std::optional<TransferRecord>& lastTransfer)
{
    HandoverDocument doc;
    doc.heading = texts(kHandoverTitle);
    doc.year = year;
    doc.yearHeading = texts(kHandoverYear).arg(year);

    // Every list of the program and the device properties, as "Drucken" prints them.
    PrintRequest all;
    all.Schaltzeiten = all.Prioritaetszeiten = all.SoWiTabelle = all.Astrozeiten = all.Geraeteeigenschaften = true;
    doc.print = BuildPrintDocument(model, texts, all, sources);

    const PrintTitle& t = doc.print.title;
    doc.cover.push_back({texts(TextId::Usage).trimmed(), model.program().Verwendung.trimmed()});
    doc.cover.push_back(split(t.programNumber));
    doc.cover.push_back(split(t.deviceType));
    doc.cover.push_back({texts(kHandoverFile), t.fileName});
    doc.cover.push_back(split(t.fileDate));

    // The proof: what went into the device, and whether it is this program.
    HandoverProof& proof = doc.proof;
    proof.last = lastTransfer;
    proof.checksum = ImageChecksum(model, 0);
    proof.state = ProofState(lastTransfer, proof.checksum);
    proof.transfer = LastTransferText(proof.state, lastTransfer, texts);
    auto sim = std::make_shared<const YearSimulation>(model, year);
    for (const Finding& f : RunAllChecks(model, texts, year, *sim)) {
        (f.severity == Severity::Error ? proof.errors : f.severity == Severity::Warning ? proof.warnings : proof.notes)++;
    }
    proof.checks = FindingCountText(proof.errors, proof.warnings, proof.notes, texts);
    doc.cover.push_back({texts(kHandoverLastTransfer), proof.transfer});
    const bool otherChecksum = lastTransfer && !lastTransfer->checksum.isEmpty() && lastTransfer->checksum != proof.checksum;
    doc.cover.push_back({texts(kHandoverChecksum), otherChecksum ? texts(kHandoverChecksumTransferred).arg(proof.checksum, lastTransfer->checksum)
                                                                 : proof.checksum});
    doc.cover.push_back({texts(kHandoverChecks).arg(year), proof.checks});
    doc.hoursHeading = texts(kHandoverYearHours).arg(year);

    const int channels = model.device.Kanalzahl;
    for (int c = 0; c < channels; ++c)
        doc.channelNames << channelLabel(model, texts, c);

    doc.signatureNote = texts(kHandoverConfirmation);
    doc.signatures = {texts(kHandoverInstaller), texts(kHandoverCustomer)};
    doc.placeAndDate = texts(kHandoverPlaceDate);

    for (int c = 0; c < channels; ++c) {
        HandoverChannel ch;
        ch.channel = c;
        ch.heading = channelLabel(model, texts, c);
        ch.meterPulse = sim->IstMesskanal(c);
        if (ch.meterPulse)
            ch.heading += QStringLiteral("  (") + texts(TextId::MeterPulse).trimmed() + QLatin1Char(')');
        ch.yearMinutes = sim->Jahresbetriebsminuten(c);
        ch.operatingHours = JahresbetriebsstundenText(c + 1, ch.yearMinutes, texts);
        doc.channels.push_back(std::move(ch));
    }
    doc.simulation = std::move(sim);
    return doc;
}

} // namespace zendrik
