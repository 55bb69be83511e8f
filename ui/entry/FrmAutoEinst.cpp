#include "ui/entry/FrmAutoEinst.h"

#include "editing/AssistantSettings.h"
#include "editing/EditAssistant.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace zendrik {

namespace {

QHBoxLayout* row(QWidget* first, QWidget* second)
{
    auto* layout = new QHBoxLayout;
    layout->addWidget(first, 1);
    layout->addWidget(second);
    return layout;
}

} // namespace

FrmAutoEinst::FrmAutoEinst(AssistantSettings& settings, const TextTable& texts, bool eibFormat, QWidget* parent)
    : QDialog(parent), settings_(settings), texts_(texts)
{
    setObjectName(QStringLiteral("frmAutoEinst"));
    setWindowTitle(texts_(TextId::EditAssistant));

    auto* fraInc = new QGroupBox(texts_(TextId::IncreaseSwitchingTimesBy), this);
    hsbincmin_ = slider("hsbincmin", AssistantSettings::kMaxMinuten, lblincmin_);
    HsbIncStd_ = slider("HsbIncStd", AssistantSettings::kMaxStunden, lblIncStd_);
    HsbincTag_ = slider("HsbincTag", AssistantSettings::kMaxTage, lblincTag_);
    auto* inc = new QFormLayout(fraInc);
    const std::pair<TextId, QSlider*> incRows[] = {
        {TextId::Min, hsbincmin_}, {TextId::Hrs, HsbIncStd_}, {TextId::Day, HsbincTag_}};
    QLabel* const captions[] = {lblincmin_, lblIncStd_, lblincTag_};
    for (std::size_t r = 0; r < std::size(incRows); ++r) {
        auto* label = new QLabel(mnemonics_.mark(texts_(incRows[r].first)), fraInc);
        label->setBuddy(incRows[r].second);
        inc->addRow(label, row(incRows[r].second, captions[r]));
    }

    auto* fraMore = new QGroupBox(this);
    chkincWtag_ = new QCheckBox(mnemonics_.mark(texts_(TextId::IncreaseWeekdays)), fraMore);
    chkincWtag_->setObjectName(QStringLiteral("chkincWtag"));
    chkincMon_ = new QCheckBox(mnemonics_.mark(texts_(TextId::IncreaseMonth)), fraMore);
    chkincMon_->setObjectName(QStringLiteral("chkincMon"));
    chkincPrio_ = new QCheckBox(mnemonics_.mark(texts_(TextId::IncreasePrio)), fraMore);
    chkincPrio_->setObjectName(QStringLiteral("chkincPrio"));
    auto* more = new QVBoxLayout(fraMore);
    more->addWidget(chkincWtag_);
    more->addWidget(chkincMon_);
    more->addWidget(chkincPrio_);
    if (eibFormat) {
        hsbwert_ = slider("hsbwert", kMaxTelegramValue, lblwert_);
        auto* wert = new QLabel(mnemonics_.mark(texts_(TextId::Value)), fraMore);
        wert->setBuddy(hsbwert_);
        auto* line = row(hsbwert_, lblwert_);
        line->insertWidget(0, wert);
        more->addLayout(line);
    } else {
        chkZustand_ = new QCheckBox(mnemonics_.mark(texts_(TextId::ToggleState)), fraMore);
        chkZustand_->setObjectName(QStringLiteral("chkZustand"));
        more->addWidget(chkZustand_);
    }

    auto* fraSw = new QGroupBox(texts_(TextId::DstRule), this);
    cbovonregel_ = combo("cbovonregel", NthItems(texts_));
    cbovonwtag_ = combo("cbovonwtag", WeekdayItems(texts_));
    cbobisregel_ = combo("cbobisregel", NthItems(texts_));
    cbobiswtag_ = combo("cbobiswtag", WeekdayItems(texts_));
    auto* vonLabel = new QLabel(mnemonics_.mark(texts_(TextId::ForwardOn)), fraSw);
    vonLabel->setBuddy(cbovonregel_);
    auto* bisLabel = new QLabel(mnemonics_.mark(texts_(TextId::BackOn)), fraSw);
    bisLabel->setBuddy(cbobisregel_);
    auto* sw = new QFormLayout(fraSw);
    sw->addRow(vonLabel, row(cbovonregel_, cbovonwtag_));
    sw->addRow(bisLabel, row(cbobisregel_, cbobiswtag_));

    ChkEinstOk_ = new QPushButton(mnemonics_.mark(texts_(TextId::Ok)), this);
    ChkEinstOk_->setObjectName(QStringLiteral("ChkEinstOk"));
    ChkEinstOk_->setDefault(true);
    cmdEinstAbbrechen_ = new QPushButton(mnemonics_.mark(texts_(TextId::Cancel)), this);
    cmdEinstAbbrechen_->setObjectName(QStringLiteral("cmdEinstAbbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ChkEinstOk_);
    buttons->addWidget(cmdEinstAbbrechen_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(fraInc);
    layout->addWidget(fraMore);
    layout->addWidget(fraSw);
    layout->addLayout(buttons);

    load();
    for (QSlider* s : {hsbincmin_, HsbIncStd_, HsbincTag_, hsbwert_}) {
        if (s)
            connect(s, &QSlider::valueChanged, this, &FrmAutoEinst::showCaptions);
    }
    connect(ChkEinstOk_, &QPushButton::clicked, this, &FrmAutoEinst::store);
    connect(cmdEinstAbbrechen_, &QPushButton::clicked, this, &QDialog::reject);
}

QSlider* FrmAutoEinst::slider(const char* name, int max, QLabel*& caption)
{
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    s->setPageStep(5);
    s->setMinimumWidth(180);
    caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name).mid(3));
    caption->setMinimumWidth(fontMetrics().horizontalAdvance(texts_(TextId::DaysDateOnly)) + 24);
    return s;
}

QComboBox* FrmAutoEinst::combo(const char* name, const QStringList& items)
{
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    for (const QString& item : items)
        c->addItem(item.trimmed());
    return c;
}

void FrmAutoEinst::showCaptions()
{
    lblincmin_->setText(MinutesCaption(hsbincmin_->value(), texts_));
    lblIncStd_->setText(HoursCaption(HsbIncStd_->value(), texts_));
    lblincTag_->setText(DaysCaption(HsbincTag_->value(), texts_));
    if (hsbwert_)
        lblwert_->setNum(hsbwert_->value());
}

void FrmAutoEinst::load()
{
    const AssistantSettings& s = settings_;
    hsbincmin_->setValue(s.AutoMinuten);
    HsbIncStd_->setValue(s.AutoStunden);
    HsbincTag_->setValue(s.AutoTage);
    chkincWtag_->setChecked(s.AutoWochentag != 0);
    chkincMon_->setChecked(s.AutoMonat != 0);
    chkincPrio_->setChecked(s.AutoPrio != 0);
    if (chkZustand_)
        chkZustand_->setChecked(s.AutoZustand == 1);
    if (hsbwert_)
        hsbwert_->setValue(s.AutoZustand);
    cbovonregel_->setCurrentIndex(std::clamp(s.AutoSwVonRegel, 0, cbovonregel_->count() - 1));
    cbovonwtag_->setCurrentIndex(std::clamp(s.AutoSwVonTag, 0, cbovonwtag_->count() - 1));
    cbobisregel_->setCurrentIndex(std::clamp(s.AutoSwBisRegel, 0, cbobisregel_->count() - 1));
    cbobiswtag_->setCurrentIndex(std::clamp(s.AutoSwBisTag, 0, cbobiswtag_->count() - 1));
    showCaptions();
}

void FrmAutoEinst::store()
{
    AssistantSettings& s = settings_;
    s.AutoMinuten = hsbincmin_->value();
    s.AutoStunden = HsbIncStd_->value();
    s.AutoTage = HsbincTag_->value();
    s.AutoWochentag = chkincWtag_->isChecked() ? 1 : 0;
    s.AutoMonat = chkincMon_->isChecked() ? 1 : 0;
    s.AutoPrio = chkincPrio_->isChecked() ? 1 : 0;
    if (chkZustand_)
        s.AutoZustand = chkZustand_->isChecked() ? 1 : 0;
    if (hsbwert_)
        s.AutoZustand = hsbwert_->value();
    s.AutoSwVonRegel = cbovonregel_->currentIndex();
    s.AutoSwVonTag = cbovonwtag_->currentIndex();
    s.AutoSwBisRegel = cbobisregel_->currentIndex();
    s.AutoSwBisTag = cbobiswtag_->currentIndex();
    accept();
}

} // namespace zendrik
