#include "ui/calendar/FrmEinSW.h"

#include "calendar/FeiertagTexts.h"
#include "calendar/SoWiZeitzone.h"
#include "editing/AssistantSettings.h"
#include "editing/EntryFields.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "ui/common/Named.h"
#include "util/CalendarMath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kDstPreviewYears = 5;

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* c = named(new QComboBox(parent), name);
    c->addItems(items);
    return c;
}

QStringList HourItems(const TextTable& texts)
{
    QStringList items;
    for (int h = 0; h < 24; ++h)
        items << QString::number(h) + texts(TextId::TimeSeparator) + QStringLiteral("00 ") + texts(TextId::OClock);
    return items;
}

QStringList ShiftItems(const TextTable& texts)
{
    return {texts(TextId::OneHour), QStringLiteral("2 ") + texts(TextId::ColHours),
            QStringLiteral("3 ") + texts(TextId::ColHours)};
}

TextId TitleOf(int modus)
{
    switch (modus) {
    case SoWiAendern:
        return TextId::ChangeDstTableTitle;
    case SoWiKopieren:
        return TextId::CopyDstTableTitle;
    default:
        return TextId::EnterDstTableTitle;
    }
}

// Weekday and date in the language of the text table: "Sonntag 31.03.2024".
QString DayText(const DstChangeover& c, int year, const TextTable& texts)
{
    const int weekday = WochentagVon(c.day, c.month, year);
    return texts(static_cast<TextId>(static_cast<int>(TextId::Monday) + weekday - 1))
        + QLatin1Char(' ') + DateText(c.day, c.month, year, texts);
}

} // namespace

FrmEinSW::FrmEinSW(ProgramModel& model, const TextTable& texts, UserInteraction& ui, AssistantSettings& assistant,
                   int modus, int sourceSlot, int markFirst, int markLast, QWidget* parent)
    : QDialog(parent), model_(model), texts_(texts), ui_(ui), assistant_(assistant),
      eingabe_(model, modus, sourceSlot, markFirst, markLast)
{
    setObjectName(QStringLiteral("frmEinSW"));
    setWindowTitle(texts_(TitleOf(modus)).trimmed());

    const QStringList days = DayItems();
    const QStringList months = MonthItems(texts_);
    const QStringList hours = HourItems(texts_);
    const QStringList shifts = ShiftItems(texts_);
    auto* fraVor = new QGroupBox(texts_(TextId::ForwardOn), this);
    cboVorTag_ = combo(fraVor, "cboVorTag", days);
    cboVorMon_ = combo(fraVor, "cboVorMon", months);
    cboVorStd_ = combo(fraVor, "cboVorStd", hours);
    cboVorUm_ = combo(fraVor, "cboVorUm", shifts);
    auto* fraZur = new QGroupBox(texts_(TextId::BackOn), this);
    cboZurTag_ = combo(fraZur, "cboZurTag", days);
    cboZurMon_ = combo(fraZur, "cboZurMon", months);
    cboZurStd_ = combo(fraZur, "cboZurStd", hours);
    cboZurUm_ = combo(fraZur, "cboZurUm", shifts);
    for (auto [group, day, month, hour, shift] : {std::tuple{fraVor, cboVorTag_, cboVorMon_, cboVorStd_, cboVorUm_},
                                                  std::tuple{fraZur, cboZurTag_, cboZurMon_, cboZurStd_, cboZurUm_}}) {
        auto* g = new QGridLayout(group);
        g->addWidget(day, 0, 0);
        g->addWidget(month, 0, 1);
        g->addWidget(hour, 0, 2);
        g->addWidget(new QLabel(texts_(TextId::AtTime), group), 1, 0);
        g->addWidget(shift, 1, 1);
    }

    auto* fraJahr = new QGroupBox(texts_(TextId::Year), this);
    hsbJahr_ = named(new QScrollBar(Qt::Horizontal, fraJahr), "hsbJahr");
    hsbJahr_->setMinimumWidth(200);
    lblJahr_ = named(new QLabel(fraJahr), "lblJahr");
    chkSoWiInfo_ = named(new QCheckBox(texts_(kSwInfo), fraJahr), "chkSoWiInfo");
    auto* jahr = new QGridLayout(fraJahr);
    jahr->addWidget(hsbJahr_, 0, 0);
    jahr->addWidget(lblJahr_, 0, 1);
    jahr->addWidget(chkSoWiInfo_, 1, 0, 1, 2);

    auto* fraZone = new QGroupBox(texts_(kSwZone), this);
    cboZone_ = named(new QComboBox(fraZone), "cboZone");
    cboZone_->setEditable(true);
    cboZone_->addItems(SoWiZeitzonen());
    // The system's zone when it has summer time, else the astro place's,
    // else the language's: a zone whose changeovers the preview can show.
    cboZone_->setCurrentIndex(cboZone_->findText(QString::fromLatin1(VorgabeZeitzone(model_))));
    // Typing searches the names: "lond" offers Europe/London.
    cboZone_->completer()->setFilterMode(Qt::MatchContains);
    cboZone_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    cboZone_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboZone_->setInsertPolicy(QComboBox::NoInsert);
    spnZoneJahre_ = named(new QSpinBox(fraZone), "spnZoneJahre");
    spnZoneJahre_->setRange(1, kDstRows);
    spnZoneJahre_->setValue(kDstRows);
    spnZoneJahre_->setSuffix(QLatin1Char(' ') + texts_(kSwYears));
    auto* cmdZone = named(new QPushButton(texts_(kSwFillFromZone), fraZone), "cmdSwZone");
    cmdZone->setAutoDefault(false);
    lstVorschau_ = named(new QListWidget(fraZone), "lstVorschau");
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(cboZone_, 1);
    zoneRow->addWidget(spnZoneJahre_);
    zoneRow->addWidget(cmdZone);
    auto* zone = new QVBoxLayout(fraZone);
    zone->addLayout(zoneRow);
    zone->addWidget(new QLabel(texts_(kSwPreview), fraZone));
    zone->addWidget(lstVorschau_);

    auto* cmdAuto = named(new QPushButton(texts_(TextId::EditAssistant), this), "cmdSwAuto");
    auto* cmdNeu = named(new QPushButton(texts_(TextId::New), this), "cmdSwNeu");
    auto* cmdOk = named(new QPushButton(texts_(TextId::Ok), this), "cmdSwOk");
    auto* cmdEnd = named(new QPushButton(texts_(TextId::Exit), this), "cmdSwEnd");
    cmdAuto->setAutoDefault(false);
    cmdNeu->setAutoDefault(false);
    cmdOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAuto);
    buttons->addWidget(cmdNeu);
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdEnd);

    auto* rows = new QHBoxLayout;
    rows->addWidget(fraVor);
    rows->addWidget(fraZur);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(fraJahr);
    layout->addWidget(fraZone, 1);
    layout->addLayout(buttons);

    showFields();

    connect(hsbJahr_, &QScrollBar::valueChanged, this, [this](int year) {
        if (!hsbJahr_->signalsBlocked()) {
            takeFields();
            eingabe_.setYear(year);
            showFields();
        }
    });
    connect(chkSoWiInfo_, &QCheckBox::clicked, this, [this](bool on) {
        takeFields();
        eingabe_.setSoWiInfo(on ? 1 : 0);
        showFields();
    });
    connect(cmdAuto, &QPushButton::clicked, this, [this] {
        takeFields();
        eingabe_.eingabeautomatik(vorRegel(), zurueckRegel());
        showFields();
    });
    connect(cmdNeu, &QPushButton::clicked, this, [this] {
        eingabe_.neu(vorRegel(), zurueckRegel());
        showFields();
    });
    connect(cmdOk, &QPushButton::clicked, this, &FrmEinSW::ok);
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdZone, &QPushButton::clicked, this, &FrmEinSW::fillFromZone);
    connect(cboZone_, &QComboBox::currentTextChanged, this, &FrmEinSW::showPreview);
    connect(spnZoneJahre_, &QSpinBox::valueChanged, this, &FrmEinSW::showPreview);
}

NterWochentagRegel FrmEinSW::vorRegel() const
{
    return {assistant_.AutoSwVonRegel, assistant_.AutoSwVonTag};
}

NterWochentagRegel FrmEinSW::zurueckRegel() const
{
    return {assistant_.AutoSwBisRegel, assistant_.AutoSwBisTag};
}

void FrmEinSW::showFields()
{
    const DstEntry& e = eingabe_.entry();
    cboVorTag_->setCurrentIndex(e.forward.day - 1);
    cboVorMon_->setCurrentIndex(e.forward.month - 1);
    cboVorStd_->setCurrentIndex(e.forward.hour);
    cboVorUm_->setCurrentIndex(e.forward.shift - 1);
    cboZurTag_->setCurrentIndex(e.back.day - 1);
    cboZurMon_->setCurrentIndex(e.back.month - 1);
    cboZurStd_->setCurrentIndex(e.back.hour);
    cboZurUm_->setCurrentIndex(e.back.shift - 1);
    chkSoWiInfo_->setChecked(eingabe_.soWiInfo() != 0);
    {
        const QSignalBlocker block(hsbJahr_);
        hsbJahr_->setRange(eingabe_.yearEditable() ? eingabe_.minYear() : eingabe_.year(),
                           eingabe_.yearEditable() ? eingabe_.maxYear() : eingabe_.year());
        hsbJahr_->setValue(eingabe_.year());
    }
    hsbJahr_->setEnabled(eingabe_.yearEditable());
    lblJahr_->setText(QString::number(eingabe_.year()));
    showPreview();
}

void FrmEinSW::takeFields()
{
    DstEntry& e = eingabe_.entry();
    e.forward = {cboVorTag_->currentIndex() + 1, cboVorMon_->currentIndex() + 1, cboVorStd_->currentIndex(),
                 cboVorUm_->currentIndex() + 1};
    e.back = {cboZurTag_->currentIndex() + 1, cboZurMon_->currentIndex() + 1, cboZurStd_->currentIndex(),
              cboZurUm_->currentIndex() + 1};
}

void FrmEinSW::ok()
{
    takeFields();
    const SoWiTabelleEingabe::Outcome outcome = eingabe_.ok();
    if (const std::optional<Prompt> message = SoWiMessage(outcome.check, texts_)) {
        ui_.beep();
        ui_.ask(*message);
        return;
    }
    emit stored();
    if (outcome.finished) {
        if (eingabe_.modus() == SoWiNeu)
            ui_.ask(Prompt::message(Icon::Critical, {TextId::MemoryFull}));
        accept();
        return;
    }
    showFields();
}

void FrmEinSW::fillFromZone()
{
    const QString zone = cboZone_->currentText().trimmed();
    const int first = eingabe_.yearEditable() ? eingabe_.year() : SoWiBezugsjahr(model_.program());
    const SoWiZoneResult rows = SoWiZeilenAusZeitzone(zone.toLatin1(), first, spnZoneJahre_->value());
    if (const std::optional<Prompt> m = SoWiZoneMessage(rows.code, rows.year, zone, texts_)) {
        ui_.ask(*m);
        return;
    }
    if (model_.program().AnzSoWi > 0
        && ui_.ask(Prompt::question(Buttons::YesNo, Icon::Question, {texts_(kSwReplaceTable)})) != Answer::Yes)
        return;
    const SoWiFillResult filled = FillSoWiTabelle(model_.program(), first, rows.rows, eingabe_.soWiInfo());
    if (const std::optional<Prompt> m = SoWiZoneMessage(filled.zone, filled.year, zone, texts_)) {
        ui_.ask(*m);
        return;
    }
    model_.Geaendert = 1;
    emit stored();
    accept();
}

void FrmEinSW::showPreview()
{
    lstVorschau_->clear();
    const QString zone = cboZone_->currentText().trimmed();
    // A name still being typed is no error: the preview waits for a zone.
    if (!QTimeZone::isTimeZoneIdAvailable(zone.toLatin1()))
        return;
    const int first = eingabe_.year();
    const SoWiZoneResult rows =
        SoWiZeilenAusZeitzone(zone.toLatin1(), first, std::min(kDstPreviewYears, kSoWiLastYear - first + 1));
    if (!rows.ok()) {
        if (const std::optional<Prompt> m = SoWiZoneMessage(rows.code, rows.year, zone, texts_))
            lstVorschau_->addItem(m->render(texts_));
        return;
    }
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const int year = first + static_cast<int>(i);
        const DstEntry& r = rows.rows[i];
        lstVorschau_->addItem(QStringLiteral("%1:  %2 %3:00  —  %4 %5:00")
                                  .arg(year)
                                  .arg(DayText(r.forward, year, texts_))
                                  .arg(r.forward.hour)
                                  .arg(DayText(r.back, year, texts_))
                                  .arg(r.back.hour));
    }
}

} // namespace zendrik
