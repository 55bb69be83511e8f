#include "ui/list/FrmFilter.h"

#include "editing/ListFilter.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DeviceSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zendrik {

namespace {

constexpr TextId kWeekdayShort[] = {TextId::ShortMonday, TextId::ShortTuesday, TextId::ShortWednesday,
                                    TextId::ShortThursday, TextId::ShortFriday, TextId::ShortSaturday,
                                    TextId::ShortSunday};
constexpr int kBus738Channels = 16;
// Bus-format entries name one of eight channels.
constexpr int kBusFormatChannels = 8;
constexpr int kMaxStateValue = 255;
// On the bus format the eighth priority step is the permanent priority.
constexpr int kBusPrioritySteps = 9;
constexpr int kPrioritySteps = 11;

QComboBox* filterCombo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    return c;
}

// "alle" sets or clears every box of its group; the boxes keep it in step.
void linkAll(QCheckBox* all, const QList<QCheckBox*>& boxes)
{
    QObject::connect(all, &QCheckBox::clicked, all, [boxes](bool on) {
        for (QCheckBox* b : boxes)
            b->setChecked(on);
    });
    for (QCheckBox* b : boxes) {
        QObject::connect(b, &QCheckBox::toggled, all, [all, boxes] {
            all->setChecked(std::all_of(boxes.begin(), boxes.end(), [](QCheckBox* x) { return x->isChecked(); }));
        });
    }
}

} // namespace

FrmFilter::FrmFilter(ListFilter& filter, const DeviceSettings& device, const TextTable& texts, QWidget* parent)
    : QDialog(parent),
      filter_(filter),
      device_(device),
      texts_(texts),
      oneChannel_(EntryNamesOneChannel(device.Uhrentyp)),
      eib_(device.EibFormat != 0)
{
    setObjectName(QStringLiteral("frmfilter"));
    setWindowTitle(texts_(TextId::FilterTitle));

    // Channels.
    auto* fraKanal = new QGroupBox(texts_(TextId::Channels), this);
    auto* kanal = new QGridLayout(fraKanal);
    if (oneChannel_) {
        // The 16-channel bus device filters one channel, or all.
        cboKanal_ = filterCombo(QStringLiteral("cboKanal"), fraKanal);
        cboKanal_->addItem(texts_(TextId::All), ListFilter::kAllChannels);
        for (int c = 1; c <= kBus738Channels; ++c)
            cboKanal_->addItem(texts_(TextId::ChannelPrefix).trimmed() + QString::number(c), c);
        kanal->addWidget(cboKanal_, 0, 0);
    } else {
        const int channels = eib_ ? kBusFormatChannels : std::clamp(device.Kanalzahl, 1, kBusFormatChannels);
        for (int c = 0; c < channels; ++c) {
            auto* box = new QCheckBox(texts_(static_cast<TextId>(static_cast<int>(TextId::Channel1) + c)), fraKanal);
            box->setObjectName(QStringLiteral("chkKanal%1").arg(c + 1));
            kanal->addWidget(box, c % 4, c / 4);
            chkKanal_ << box;
        }
        chkKanalAlle_ = new QCheckBox(texts_(TextId::All), fraKanal);
        chkKanalAlle_->setObjectName(QStringLiteral("chkKanalAlle"));
        kanal->addWidget(chkKanalAlle_, 4, 0);
        linkAll(chkKanalAlle_, chkKanal_);
    }

    // Weekdays.
    auto* fraTage = new QGroupBox(texts_(TextId::Weekdays), this);
    auto* tage = new QGridLayout(fraTage);
    for (int d = 0; d < 7; ++d) {
        auto* box = new QCheckBox(texts_(kWeekdayShort[d]).trimmed(), fraTage);
        box->setObjectName(QStringLiteral("chkTag%1").arg(d + 1));
        tage->addWidget(box, d % 4, d / 4);
        chkTag_ << box;
    }
    chkTagAlle_ = new QCheckBox(texts_(TextId::All), fraTage);
    chkTagAlle_->setObjectName(QStringLiteral("chkTagAlle"));
    tage->addWidget(chkTagAlle_, 3, 1);
    linkAll(chkTagAlle_, chkTag_);

    // Months and priorities: "von" and a "bis" list that starts at the "von" choice.
    auto* fraMonate = new QGroupBox(texts_(TextId::Months), this);
    cboMonatVon_ = filterCombo(QStringLiteral("cboMonatVon"), fraMonate);
    cboMonatVon_->addItem(texts_(TextId::WeeklyProgramOnly));
    for (int m = 0; m < 12; ++m)
        cboMonatVon_->addItem(texts_(static_cast<TextId>(static_cast<int>(TextId::January) + m)));
    cboMonatBis_ = filterCombo(QStringLiteral("cboMonatBis"), fraMonate);
    auto* monate = new QFormLayout(fraMonate);
    monate->addRow(texts_(TextId::From), cboMonatVon_);
    monate->addRow(texts_(TextId::To), cboMonatBis_);

    auto* fraPrio = new QGroupBox(texts_(TextId::Priority), this);
    cboPrioVon_ = filterCombo(QStringLiteral("cboPrioVon"), fraPrio);
    cboPrioVon_->addItem(texts_(TextId::NoPriority));
    for (int p = 1; p < prioritySteps() - 1; ++p)
        cboPrioVon_->addItem(texts_(static_cast<TextId>(static_cast<int>(TextId::ProgramP1) + p - 1)));
    cboPrioVon_->addItem(texts_(TextId::Permanent));
    cboPrioBis_ = filterCombo(QStringLiteral("cboPrioBis"), fraPrio);
    auto* prio = new QFormLayout(fraPrio);
    prio->addRow(texts_(TextId::From), cboPrioVon_);
    prio->addRow(texts_(TextId::To), cboPrioBis_);

    // State and pulses.
    auto* fraZustand = new QGroupBox(texts_(TextId::SwitchingState), this);
    cboZustand_ = filterCombo(QStringLiteral("cboZustand"), fraZustand);
    auto* zustand = new QFormLayout(fraZustand);
    if (eib_) {
        cboZustand_->addItems({texts_(TextId::FilterEqual), texts_(TextId::FilterAtMost), texts_(TextId::FilterAtLeast)});
        hsbWert_ = new QSlider(Qt::Horizontal, fraZustand);
        hsbWert_->setObjectName(QStringLiteral("hsbWert"));
        hsbWert_->setRange(0, kMaxStateValue);
        lblWert_ = new QLabel(fraZustand);
        lblWert_->setMinimumWidth(40);
        auto* wert = new QHBoxLayout;
        wert->addWidget(cboZustand_);
        wert->addWidget(hsbWert_, 1);
        wert->addWidget(lblWert_);
        zustand->addRow(texts_(TextId::Value), wert);
        connect(hsbWert_, &QSlider::valueChanged, lblWert_, [this](int v) { lblWert_->setNum(v); });
    } else {
        cboZustand_->addItems({texts_(TextId::Off), texts_(TextId::On), texts_(TextId::OnOrOff)});
        zustand->addRow(cboZustand_);
    }
    auto* fraImpuls = new QGroupBox(texts_(TextId::Pulses), this);
    cboImpuls_ = filterCombo(QStringLiteral("cboImpuls"), fraImpuls);
    cboImpuls_->addItems({texts_(TextId::NoPulses), texts_(TextId::OnlyPulses), texts_(TextId::EverythingAlt)});
    auto* impuls = new QFormLayout(fraImpuls);
    impuls->addRow(cboImpuls_);

    cmdFilterok_ = new QPushButton(texts_(TextId::Ok), this);
    cmdFilterok_->setObjectName(QStringLiteral("cmdFilterok"));
    cmdFilterok_->setDefault(true);
    cmdFilterAbbrechen_ = new QPushButton(texts_(TextId::Cancel), this);
    cmdFilterAbbrechen_->setObjectName(QStringLiteral("cmdFilterAbbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdFilterok_);
    buttons->addWidget(cmdFilterAbbrechen_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(fraKanal, 0, 0);
    grid->addWidget(fraTage, 0, 1);
    grid->addWidget(fraMonate, 1, 0);
    grid->addWidget(fraPrio, 1, 1);
    grid->addWidget(fraZustand, 2, 0);
    grid->addWidget(fraImpuls, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    load();

    connect(cboMonatVon_, &QComboBox::currentIndexChanged, this, [this] { fillMonthsTo(-1); });
    connect(cboPrioVon_, &QComboBox::currentIndexChanged, this, [this] { fillPrioritiesTo(-1); });
    connect(cmdFilterok_, &QPushButton::clicked, this, &FrmFilter::store);
    connect(cmdFilterAbbrechen_, &QPushButton::clicked, this, &QDialog::reject);
}

int FrmFilter::prioritySteps() const
{
    return eib_ ? kBusPrioritySteps : kPrioritySteps;
}

void FrmFilter::fillMonthsTo(int keep)
{
    const int from = cboMonatVon_->currentIndex();
    const int previous = keep >= 0 ? keep : from + cboMonatBis_->currentIndex();
    cboMonatBis_->clear();
    for (int i = from; i < cboMonatVon_->count(); ++i)
        cboMonatBis_->addItem(cboMonatVon_->itemText(i));
    cboMonatBis_->setCurrentIndex(std::clamp(previous - from, 0, cboMonatBis_->count() - 1));
}

void FrmFilter::fillPrioritiesTo(int keep)
{
    const int from = cboPrioVon_->currentIndex();
    const int previous = keep >= 0 ? keep : from + cboPrioBis_->currentIndex();
    cboPrioBis_->clear();
    for (int i = from; i < cboPrioVon_->count(); ++i)
        cboPrioBis_->addItem(cboPrioVon_->itemText(i));
    cboPrioBis_->setCurrentIndex(std::clamp(previous - from, 0, cboPrioBis_->count() - 1));
}

void FrmFilter::load()
{
    const ListFilter& f = filter_;
    if (cboKanal_) {
        cboKanal_->setCurrentIndex(std::max(0, cboKanal_->findData(f.FilterKanal)));
    } else {
        for (int c = 0; c < chkKanal_.size(); ++c)
            chkKanal_[c]->setChecked((f.FilterKanal & (1 << c)) != 0);
    }
    for (int d = 0; d < chkTag_.size(); ++d)
        chkTag_[d]->setChecked((f.FilterWochentag & (1 << d)) != 0);

    cboMonatVon_->setCurrentIndex(std::clamp(f.FilterMonatVon, 0, 12));
    fillMonthsTo(f.FilterMonatBis);

    // The lists hold positions; the permanent priority is the last one.
    const auto position = [this](int priority) {
        return priority >= kPermanentPriority ? prioritySteps() - 1 : std::clamp(priority, 0, prioritySteps() - 1);
    };
    cboPrioVon_->setCurrentIndex(position(f.FilterPrioVon));
    fillPrioritiesTo(position(f.FilterPrioBis));

    cboZustand_->setCurrentIndex(std::clamp(f.FilterZustand, 0, 2));
    if (hsbWert_) {
        hsbWert_->setValue(f.FilterWert);
        lblWert_->setNum(f.FilterWert);
    }
    cboImpuls_->setCurrentIndex(std::clamp(f.FilterImpuls, 0, 2));
}

void FrmFilter::store()
{
    ListFilter& f = filter_;
    if (cboKanal_) {
        f.FilterKanal = cboKanal_->currentData().toInt();
    } else {
        f.FilterKanal = 0;
        for (int c = 0; c < chkKanal_.size(); ++c) {
            if (chkKanal_[c]->isChecked())
                f.FilterKanal |= 1 << c;
        }
    }
    f.FilterWochentag = 0;
    for (int d = 0; d < chkTag_.size(); ++d) {
        if (chkTag_[d]->isChecked())
            f.FilterWochentag |= 1 << d;
    }
    f.FilterMonatVon = cboMonatVon_->currentIndex();
    f.FilterMonatBis = f.FilterMonatVon + cboMonatBis_->currentIndex();
    // The last position of the priority lists is the permanent priority.
    const auto priority = [this](int position) {
        return position >= prioritySteps() - 1 ? kPermanentPriority : position;
    };
    f.FilterPrioVon = priority(cboPrioVon_->currentIndex());
    f.FilterPrioBis = ListFilter::PrioBisFor(priority(cboPrioVon_->currentIndex() + cboPrioBis_->currentIndex()), eib_);
    f.FilterZustand = cboZustand_->currentIndex();
    if (hsbWert_)
        f.FilterWert = hsbWert_->value();
    f.FilterImpuls = cboImpuls_->currentIndex();
    f.FilterAktiv = -1;
    accept();
}

} // namespace zendrik
