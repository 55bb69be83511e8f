#include "editing/HandoverDocument.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/YearSimulation.h"
#include "editing/PrintTexts.h"
#include "language/TextTable.h"
#include "model/HeaderFields.h"
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

} // namespace

HandoverDocument BuildHandoverDocument(const ProgramModel& model, const TextTable& texts, int year,
                                       const ListSources& sources)
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

    const int channels = model.device.Kanalzahl;
    for (int c = 0; c < channels; ++c)
        doc.channelNames << channelLabel(model, texts, c);

    doc.signatureNote = texts(kHandoverConfirmation);
    doc.signatures = {texts(kHandoverInstaller), texts(kHandoverCustomer)};
    doc.placeAndDate = texts(kHandoverPlaceDate);

    auto sim = std::make_shared<const YearSimulation>(model, year);
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
