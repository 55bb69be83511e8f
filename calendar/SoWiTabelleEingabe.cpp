#include "calendar/SoWiTabelleEingabe.h"

#include "calendar/FeiertagTexts.h"
#include "calendar/SommerzeitTage.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

constexpr DstEntry kDefaultRow{DstChangeover{25, 3, 2, 1}, DstChangeover{25, 10, 3, 1}};

int DayByRule(const NterWochentagRegel& rule, int month, int year)
{
    return NterWochentag(std::clamp(rule.woche, 0, 4), std::clamp(rule.wochentag, 0, 6), month - 1, year);
}

} // namespace

std::optional<Prompt> SoWiMessage(const SoWiCheckResult& result, const TextTable& texts)
{
    switch (result.code) {
    case SoWiCheck::Ok:
        return std::nullopt;
    case SoWiCheck::SameStartEnd:
        return Prompt::message(Icon::Critical, {TextId::StartEndDateSame});
    case SoWiCheck::SameDateExists:
        return Prompt::message(Icon::Critical, {TextId::SameDateExistsInNo, QLatin1Char(' ') + QString::number(result.number)});
    case SoWiCheck::TableFull:
        return Prompt::message(Icon::Critical, {TextId::MemoryFull});
    case SoWiCheck::InvalidEntry:
        return Prompt::message(Icon::Critical, {texts(kSwInvalidRow)});
    }
    return std::nullopt;
}

std::optional<Prompt> SoWiZoneMessage(SoWiZoneCheck check, int year, const QString& zone, const TextTable& texts)
{
    const QString y = QLatin1Char(' ') + QString::number(year);
    switch (check) {
    case SoWiZoneCheck::Ok:
        return std::nullopt;
    case SoWiZoneCheck::UnknownZone:
        return Prompt::message(Icon::Critical, {texts(kSwUnknownZone) + QLatin1Char(' ') + zone});
    case SoWiZoneCheck::NoSingleChangeover:
        return Prompt::message(Icon::Critical, {texts(kSwZoneNoChangeover) + y});
    case SoWiZoneCheck::ShiftNotWholeHours:
        return Prompt::message(Icon::Critical, {texts(kSwZoneShift) + y});
    case SoWiZoneCheck::YearRange:
        return Prompt::message(Icon::Critical, {texts(kSwYearRange)});
    }
    return std::nullopt;
}

SoWiTabelleEingabe::SoWiTabelleEingabe(ProgramModel& model, int modus, int sourceSlot, int markFirst, int markLast)
    : model_(model), modus_(modus), sourceSlot_(sourceSlot), markFirst_(markFirst), markLast_(markLast),
      row_(markFirst)
{
    const ProgramSlot& program = model_.program();
    const bool hasTable = program.AnzSoWi > 0;
    soWiInfo_ = program.SoWiInfo != 0 ? 1 : 0;
    soWiJahr_ = hasTable ? program.SoWiJahr % 64 : SoWiJahrFuer(model_.currentYear(), soWiInfo_);
    entry_ = kDefaultRow;
    if (hasTable)
        entry_ = DecodeDstRow(program.SoWiTab[static_cast<std::size_t>(std::min(program.AnzSoWi, kDstRows) - 1)]);
    if (modus_ != SoWiNeu)
        loadRow();
    else if (!hasTable)
        setYear(model_.currentYear());
}

SoWiTabelleEingabe::Open SoWiTabelleEingabe::check() const
{
    const ProgramSlot& source = model_.slot(sourceSlot_);
    if (modus_ != SoWiNeu && (markFirst_ < 0 || markFirst_ >= std::min(source.AnzSoWi, kDstRows)))
        return Open::NothingMarked;
    if (modus_ != SoWiAendern && model_.program().AnzSoWi >= kDstRows)
        return Open::TableFull;
    return Open::Ready;
}

void SoWiTabelleEingabe::loadRow()
{
    const ProgramSlot& source = model_.slot(sourceSlot_);
    if (row_ < 0 || row_ >= std::min(source.AnzSoWi, kDstRows))
        return;
    entry_ = DecodeDstRow(source.SoWiTab[static_cast<std::size_t>(row_)]);
    if (modus_ == SoWiAendern) {
        soWiInfo_ = model_.program().SoWiInfo;
    } else if (yearEditable()) {
        // The first copied row keeps the year it had where it came from.
        soWiInfo_ = source.SoWiInfo;
        setYear(SoWiBezugsjahr(source) + row_);
    }
}

void SoWiTabelleEingabe::setSoWiInfo(int soWiInfo)
{
    const int shown = year();
    soWiInfo_ = soWiInfo != 0 ? 1 : 0;
    if (yearEditable())
        setYear(shown);
}

int SoWiTabelleEingabe::targetIndex() const
{
    if (modus_ == SoWiAendern)
        return row_;
    return model_.program().AnzSoWi;
}

int SoWiTabelleEingabe::year() const
{
    return SoWiBezugsjahr(soWiJahr_, soWiInfo_) + targetIndex();
}

int SoWiTabelleEingabe::minYear() const
{
    return SoWiBezugsjahr(0, soWiInfo_);
}

int SoWiTabelleEingabe::maxYear() const
{
    return SoWiBezugsjahr(63, soWiInfo_);
}

void SoWiTabelleEingabe::setYear(int year)
{
    if (!yearEditable())
        return;
    soWiJahr_ = SoWiJahrFuer(std::clamp(year, minYear(), maxYear()), soWiInfo_);
}

void SoWiTabelleEingabe::eingabeautomatik(const NterWochentagRegel& vor, const NterWochentagRegel& zurueck)
{
    const int y = year();
    entry_.forward.day = DayByRule(vor, std::clamp(entry_.forward.month, 1, 12), y);
    entry_.back.day = DayByRule(zurueck, std::clamp(entry_.back.month, 1, 12), y);
}

void SoWiTabelleEingabe::neu(const NterWochentagRegel& vor, const NterWochentagRegel& zurueck)
{
    const ProgramSlot& program = model_.program();
    const int last = std::min(program.AnzSoWi, kDstRows) - 1;
    entry_ = last >= 0 ? DecodeDstRow(program.SoWiTab[static_cast<std::size_t>(last)]) : kDefaultRow;
    eingabeautomatik(vor, zurueck);
}

SoWiTabelleEingabe::Outcome SoWiTabelleEingabe::ok()
{
    Outcome outcome;
    ProgramSlot& program = model_.program();
    // The first row also stores the table's first year.
    const int keptJahr = program.SoWiJahr;
    if (yearEditable())
        program.SoWiJahr = soWiJahr_;
    if (modus_ == SoWiAendern)
        outcome.check = ChangeSoWiEntry(program, row_, entry_, soWiInfo_);
    else
        outcome.check = AddSoWiEntry(program, entry_, soWiInfo_);
    if (!outcome.check.ok()) {
        program.SoWiJahr = keptJahr;
        return outcome;
    }
    outcome.stored = true;
    model_.Geaendert = 1;
    if (modus_ == SoWiNeu) {
        outcome.finished = program.AnzSoWi >= kDstRows;
        return outcome;
    }
    ++row_;
    outcome.finished = row_ > markLast_ || (modus_ == SoWiKopieren && program.AnzSoWi >= kDstRows);
    if (!outcome.finished)
        loadRow();
    return outcome;
}

} // namespace zendrik
