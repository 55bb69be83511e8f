#include "ui/checks/BehaviourPage.h"

#include "calendar/BehaviourTexts.h"
#include "calendar/SimulationTexts.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/HeaderFields.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/simulation/BehaviourDayView.h"
#include "ui/simulation/BehaviourMapView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace T = checkwindowtexts;

namespace {

QListWidget* CauseList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumHeight(list->fontMetrics().height() + 2 * list->frameWidth() + 4);
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    return list;
}

} // namespace

BehaviourPage::BehaviourPage(const ProgramModel& a, int slotA, const QString& nameA, const ProgramModel& b, int slotB,
                             const QString& nameB, const TextTable& texts, QWidget* parent)
    : QWidget(parent), a_(a), b_(b), slotA_(slotA), slotB_(slotB), nameA_(nameA), nameB_(nameB), texts_(texts)
{
    setObjectName(QStringLiteral("pagVerhalten"));

    auto* lblJahr = new QLabel(texts(kBehaviourYear), this);
    cboJahr_ = new QComboBox(this);
    cboJahr_->setObjectName(QStringLiteral("cboVerhaltenJahr"));
    for (int y = kFirstSimulationYear; y <= kLastSimulationYear; ++y)
        cboJahr_->addItem(QString::number(y), y);
    cboJahr_->setCurrentIndex(std::clamp(a_.currentYear(), kFirstSimulationYear, kLastSimulationYear)
                              - kFirstSimulationYear);
    lblJahr->setBuddy(cboJahr_);
    auto* lblKanal = new QLabel(texts(TextId::ChannelWord), this);
    cboKanal_ = new QComboBox(this);
    cboKanal_->setObjectName(QStringLiteral("cboVerhaltenKanal"));
    lblKanal->setBuddy(cboKanal_);
    lblKanalZeile_ = new QLabel(this);
    lblKanalZeile_->setObjectName(QStringLiteral("lblKanalZeile"));
    QFont bold = lblKanalZeile_->font();
    bold.setBold(true);
    lblKanalZeile_->setFont(bold);
    lblZahlen_ = new QLabel(this);
    lblZahlen_->setObjectName(QStringLiteral("lblZahlen"));
    lblZahlen_->setWordWrap(true);
    lblZahlen_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    map_ = new BehaviourMapView(texts, this);
    lblLegende_ = new QLabel(BehaviourMapLegend(texts), this);
    lblLegende_->setObjectName(QStringLiteral("lblLegende"));
    lblLegende_->setWordWrap(true);

    lblTage_ = new QLabel(texts(T::kDifferingDays), this);
    lstTage_ = new QListWidget(this);
    lstTage_->setObjectName(QStringLiteral("lstTage"));
    lstTage_->setMinimumHeight(lstTage_->fontMetrics().height() * 2 + 2 * lstTage_->frameWidth() + 4);
    lstTage_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    lblTage_->setBuddy(lstTage_);
    lblTagErstes_ = new QLabel(this);
    lblTagErstes_->setObjectName(QStringLiteral("lblTagErstes"));
    picTagErstes_ = new BehaviourDayView(texts, this);
    picTagErstes_->setObjectName(QStringLiteral("picTagErstes"));
    lstUrsachenErstes_ = CauseList("lstUrsachenErstes", this);
    lblTagZweites_ = new QLabel(this);
    lblTagZweites_->setObjectName(QStringLiteral("lblTagZweites"));
    picTagZweites_ = new BehaviourDayView(texts, this);
    picTagZweites_->setObjectName(QStringLiteral("picTagZweites"));
    lstUrsachenZweites_ = CauseList("lstUrsachenZweites", this);
    for (QLabel* l : {lblTagErstes_, lblTagZweites_}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setMinimumWidth(1);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(lblJahr);
    top->addWidget(cboJahr_);
    top->addSpacing(16);
    top->addWidget(lblKanal);
    top->addWidget(cboKanal_);
    top->addSpacing(16);
    top->addWidget(lblKanalZeile_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(map_, 1);
    left->addWidget(lblLegende_);

    auto* right = new QVBoxLayout;
    right->addWidget(lblTage_);
    right->addWidget(lstTage_, 2);
    right->addWidget(lblTagErstes_);
    right->addWidget(picTagErstes_);
    right->addWidget(lstUrsachenErstes_, 1);
    right->addWidget(lblTagZweites_);
    right->addWidget(picTagZweites_);
    right->addWidget(lstUrsachenZweites_, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblZahlen_);
    layout->addLayout(body, 1);

    connect(cboJahr_, &QComboBox::currentIndexChanged, this, &BehaviourPage::compute);
    connect(cboKanal_, &QComboBox::currentIndexChanged, this, &BehaviourPage::channelChosen);
    connect(lstTage_, &QListWidget::currentRowChanged, this, &BehaviourPage::daySelected);
    connect(map_, &BehaviourMapView::dayClicked, this, &BehaviourPage::showDay);

    compute();
}

BehaviourPage::~BehaviourPage() = default;

int BehaviourPage::year() const
{
    return cboJahr_->currentData().toInt();
}

int BehaviourPage::channel() const
{
    return std::max(0, cboKanal_->currentIndex());
}

const ChannelBehaviour& BehaviourPage::shownChannel() const
{
    static const ChannelBehaviour none;
    const auto c = static_cast<std::size_t>(channel());
    return c < comparison_.channels.size() ? comparison_.channels[c] : none;
}

void BehaviourPage::showYear(int year)
{
    cboJahr_->setCurrentIndex(std::clamp(year, kFirstSimulationYear, kLastSimulationYear) - kFirstSimulationYear);
}

void BehaviourPage::showChannel(int channel)
{
    cboKanal_->setCurrentIndex(std::clamp(channel, 0, std::max(0, cboKanal_->count() - 1)));
}

void BehaviourPage::compute()
{
    simA_ = std::make_unique<YearSimulation>(a_, year(), slotA_);
    simB_ = std::make_unique<YearSimulation>(b_, year(), slotB_);
    comparison_ = CompareBehaviour(*simA_, *simB_);
    // The channels both programs have, named as in the first.
    const int chosen = cboKanal_->currentIndex();
    {
        const QSignalBlocker block(cboKanal_);
        cboKanal_->clear();
        const ProgramSlot& names = a_.slot(slotA_);
        for (const ChannelBehaviour& c : comparison_.channels) {
            const QString name = ShownChannelName(names.Kanalname[static_cast<std::size_t>(c.channel)]).trimmed();
            cboKanal_->addItem(name.isEmpty() ? QStringLiteral("C%1").arg(c.channel + 1)
                                              : QStringLiteral("C%1  %2").arg(c.channel + 1).arg(name));
        }
        cboKanal_->setCurrentIndex(std::clamp(chosen, 0, cboKanal_->count() - 1));
    }
    channelChosen();
}

void BehaviourPage::channelChosen()
{
    const ChannelBehaviour& shown = shownChannel();
    yearA_ = simA_->SimulateYear(channel());
    yearB_ = simB_->SimulateYear(channel());
    map_->show(&yearA_, &yearB_, &shown, year());
    lblKanalZeile_->setText(comparison_.differs() ? BehaviourChannelLine(shown, texts_)
                                                  : texts_(kBehaviourSame).arg(year()));
    lblZahlen_->setText(BehaviourFiguresText(shown, texts_));
    {
        const QSignalBlocker block(lstTage_);
        lstTage_->clear();
        for (const BehaviourDay& d : shown.days)
            lstTage_->addItem(BehaviourDayLine(d, texts_).trimmed());
    }
    // The first differing day, or the day shown so far.
    showDay(shown.days.empty() ? std::max(day_, 1) : shown.days.front().dayOfYear);
}

void BehaviourPage::daySelected()
{
    const int row = lstTage_->currentRow();
    const ChannelBehaviour& shown = shownChannel();
    if (row >= 0 && row < static_cast<int>(shown.days.size()))
        showDay(shown.days[static_cast<std::size_t>(row)].dayOfYear);
}

void BehaviourPage::showDay(int dayOfYear)
{
    if (yearA_.empty() || yearB_.empty())
        return;
    day_ = std::clamp(dayOfYear, 1, static_cast<int>(std::min(yearA_.size(), yearB_.size())));
    const ChannelBehaviour& shown = shownChannel();
    const auto it = std::find_if(shown.days.begin(), shown.days.end(),
                                 [this](const BehaviourDay& d) { return d.dayOfYear == day_; });
    {
        const QSignalBlocker block(lstTage_);
        lstTage_->setCurrentRow(it == shown.days.end() ? -1 : static_cast<int>(it - shown.days.begin()));
    }
    map_->setSelectedDay(day_);
    const QString date = SimulationDateText(DateOfDayOfYear(day_, year()), texts_);
    const struct {
        const SimulatedDay& day;
        const YearSimulation& sim;
        QString name;
        QLabel* label;
        BehaviourDayView* view;
        QListWidget* causes;
    } sides[] = {{yearA_[static_cast<std::size_t>(day_ - 1)], *simA_, nameA_, lblTagErstes_, picTagErstes_, lstUrsachenErstes_},
                 {yearB_[static_cast<std::size_t>(day_ - 1)], *simB_, nameB_, lblTagZweites_, picTagZweites_,
                  lstUrsachenZweites_}};
    for (const auto& side : sides) {
        side.label->setText(side.name + QStringLiteral(", ") + date + QStringLiteral(": ")
                            + DayStretchesText(side.day, texts_));
        side.label->setToolTip(side.label->text());
        side.view->show(side.day.profile);
        side.causes->clear();
        side.causes->addItems(DayDecisionLines(side.sim, channel(), day_, side.day, texts_));
    }
}

QStringList BehaviourPage::decisions(bool second) const
{
    const QListWidget* list = second ? lstUrsachenZweites_ : lstUrsachenErstes_;
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace zendrik
