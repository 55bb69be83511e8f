#include "ui/entry/FrmEingPZ.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/EntryFields.h"
#include "editing/EntryTexts.h"
#include "editing/HolidayChoice.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/entry/EntryBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kHolidayRows = 7;

} // namespace

FrmEingPZ::FrmEingPZ(const EntryContext& ctx, int eingabeModus, EntrySource source, QWidget* parent)
    : EntryDialog(ctx, {"frmEingPZ", "cmdPzOk", "cmdPzEnd", "imgPzok"}, parent),
      entry_(ctx.model, ctx.assistant, ctx.ui, &ctx.holidays, eingabeModus, std::move(source))
{
    const TextTable& t = ctx_.texts;
    const bool eib = ctx_.model.eib();

    fraVon_ = dateGroup(TextId::BeginOn, {"txtvonTag", "Listvontag", "txtvonMon", "Lstvonmon"}, vonTag_, vonMon_);
    fraBis_ = dateGroup(TextId::EndOn, {"txtbistag", "listbistag", "txtbisMon", "LstbisMon"}, bisTag_, bisMon_);

    auto* fraJahr = fieldGroup(t(TextId::Year));
    lstvonJahr_ = new QComboBox(fraJahr);
    lstvonJahr_->setObjectName(QStringLiteral("lstvonJahr"));
    lstvonJahr_->addItems(YearItems(t));
    lstvonJahr_->setMaxVisibleItems(12);
    // The bus format keeps no year.
    lstvonJahr_->setEnabled(PriorityTimeFields::yearAvailable(ctx_.model.device));
    chk1x_ = new QCheckBox(mnemonics_.mark(QStringLiteral("1x")), fraJahr);
    chk1x_->setObjectName(QStringLiteral("chk1x"));
    auto* jahr = new QVBoxLayout(fraJahr);
    jahr->addWidget(lstvonJahr_);
    jahr->addWidget(chk1x_);
    jahr->addStretch(1);

    auto* fraPrio = fieldGroup(t(TextId::Priority));
    priority_ = entryBox(
        "txtAnzPrio", "LstPrio", PriorityTimePriorityItems(t, eib), t(TextId::PrioShort),
        [texts = &t, eib](const QString& text) -> std::optional<int> {
            const std::optional<int> p = ParsePriorityTimePriorityField(text, *texts, eib);
            return p ? std::optional<int>(ListIndexOfPriority(*p, eib)) : std::nullopt;
        },
        EntryRangeHint(t(TextId::Priority), 1, LastProgramPriority(eib), true, t));
    priority_->setEmptyRow(0);
    auto* prio = new QVBoxLayout(fraPrio);
    prio->addWidget(priority_);

    const auto day = [](int row) { return row < 0 ? 0 : row + 1; };
    connect(vonTag_, &EntryBox::chosen, this, [this, day](int row) { entry_.fields().vonTag = day(row); });
    connect(vonMon_, &EntryBox::chosen, this, [this, day](int row) { entry_.fields().vonMonat = day(row); });
    connect(bisTag_, &EntryBox::chosen, this, [this, day](int row) { entry_.fields().bisTag = day(row); });
    connect(bisMon_, &EntryBox::chosen, this, [this, day](int row) { entry_.fields().bisMonat = day(row); });
    connect(priority_, &EntryBox::chosen, this, [this, eib](int row) {
        entry_.fields().prioritaet = PriorityOfListIndex(std::max(row, 0), eib);
    });
    connect(lstvonJahr_, &QComboBox::activated, this, [this](int index) {
        entry_.fields().setYearCode(YearCodeOfListIndex(index));
        showAll();
    });
    connect(chk1x_, &QCheckBox::clicked, this, [this](bool on) {
        entry_.fields().einmal = on;
        showAll();
    });

    QWidget* holidays = buildHolidays();
    QList<QWidget*> order{vonTag_->box(), vonMon_->box(), bisTag_->box(), bisMon_->box(), lstvonJahr_, chk1x_,
                          priority_->box(), chk_bew_Feiertage_, cbo_Ft_sets_, lst_bew_Feiertage_};
    order << channelAndStateControls();
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    finish(Parts{entry_, entry_.fields().kanal, entry_.fields().zustand, {fraVon_, fraBis_, fraJahr, fraPrio}, holidays});
}

QGroupBox* FrmEingPZ::dateGroup(TextId title, const std::array<const char*, 4>& names, EntryBox*& day,
                                EntryBox*& month)
{
    const TextTable& t = ctx_.texts;
    QGroupBox* group = fieldGroup(t(title));
    day = entryBox(names[0], names[1], DayItems(), t(TextId::Day), EntryBox::numberRows(1, 31),
                   EntryRangeHint(t(TextId::Day), 1, 31, false, t));
    month = entryBox(names[2], names[3], MonthItems(t), t(TextId::Month), EntryBox::monthRows(t),
                     EntryRangeHint(t(TextId::Month), 1, 12, true, t));
    month->acceptMonthNames();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(day);
    layout->addWidget(month);
    return group;
}

QWidget* FrmEingPZ::buildHolidays()
{
    const TextTable& t = ctx_.texts;
    auto* fraFeiertage = fieldGroup(t(TextId::HolidaySets));
    chk_bew_Feiertage_ = new QCheckBox(mnemonics_.mark(t(TextId::Holidays)), fraFeiertage);
    chk_bew_Feiertage_->setObjectName(QStringLiteral("chk_bew_Feiertage"));
    cbo_Ft_sets_ = new QComboBox(fraFeiertage);
    cbo_Ft_sets_->setObjectName(QStringLiteral("cbo_Ft_sets"));
    cbo_Ft_sets_->addItems(HolidaySetItems(ctx_.holidays, t));
    cbo_Ft_sets_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbo_Ft_sets_->setMinimumContentsLength(18);
    lst_bew_Feiertage_ = new QListWidget(fraFeiertage);
    lst_bew_Feiertage_->setObjectName(QStringLiteral("lst_bew_Feiertage"));
    lst_bew_Feiertage_->setFixedHeight(lst_bew_Feiertage_->sizeHintForRow(0) > 0
                                           ? lst_bew_Feiertage_->sizeHintForRow(0) * kHolidayRows
                                           : (fontMetrics().height() + 4) * kHolidayRows);
    auto* cmdFeiertage = new QPushButton(QString(t(TextId::MenuHolidays)), fraFeiertage);
    cmdFeiertage->setObjectName(QStringLiteral("cmd_Feiertage"));
    cmdFeiertage->setAutoDefault(false);
    connect(cmdFeiertage, &QPushButton::clicked, this, &FrmEingPZ::holidaysRequested);
    auto* sets = new QHBoxLayout;
    sets->addWidget(chk_bew_Feiertage_);
    sets->addWidget(cbo_Ft_sets_, 1);
    sets->addWidget(cmdFeiertage);
    auto* layout = new QVBoxLayout(fraFeiertage);
    layout->addLayout(sets);
    layout->addWidget(lst_bew_Feiertage_);
    fillHolidays(0);

    connect(chk_bew_Feiertage_, &QCheckBox::clicked, this, [this](bool on) {
        PriorityTimeFields& f = entry_.fields();
        f.bewFeiertag = on;
        if (on && !f.feiertag)
            chooseHoliday(std::max(lst_bew_Feiertage_->currentRow(), 0));
        showAll();
    });
    connect(cbo_Ft_sets_, &QComboBox::activated, this, [this](int item) {
        fillHolidays(item);
        chooseHoliday(0);
        showAll();
    });
    connect(lst_bew_Feiertage_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (lst_bew_Feiertage_->signalsBlocked() || row < 0)
            return;
        chooseHoliday(row);
    });
    return fraFeiertage;
}

void FrmEingPZ::refreshHolidays()
{
    // A holiday that the table no longer has stays chosen as it was; the
    // lists show the table as it is now.
    const int item = std::clamp(cbo_Ft_sets_->currentIndex(), 0, ctx_.holidays.AnzSets());
    {
        const QSignalBlocker block(cbo_Ft_sets_);
        cbo_Ft_sets_->clear();
        cbo_Ft_sets_->addItems(HolidaySetItems(ctx_.holidays, ctx_.texts));
        cbo_Ft_sets_->setCurrentIndex(std::min(item, cbo_Ft_sets_->count() - 1));
    }
    fillHolidays(cbo_Ft_sets_->currentIndex());
    showAll();
}

void FrmEingPZ::fillHolidays(int setItem)
{
    const QSignalBlocker block(lst_bew_Feiertage_);
    shownHolidays_ = HolidaysOfSetItem(ctx_.holidays, setItem);
    lst_bew_Feiertage_->clear();
    // The set's holidays: for the substitute days and for "Ok alle".
    std::vector<Feiertag>& set = entry_.fields().feiertagSet;
    set.clear();
    entry_.fields().feiertagSetGewaehlt = setItem >= 0 && setItem < ctx_.holidays.AnzSets();
    for (int index : shownHolidays_) {
        const Feiertag& f = ctx_.holidays.Feiertage()[static_cast<std::size_t>(index)];
        lst_bew_Feiertage_->addItem(f.Name);
        set.push_back(f);
    }
}

void FrmEingPZ::chooseHoliday(int row)
{
    if (row < 0 || row >= static_cast<int>(shownHolidays_.size()))
        return;
    const int index = shownHolidays_[static_cast<std::size_t>(row)];
    if (index >= 0)
        entry_.fields().feiertag = ctx_.holidays.Feiertage()[static_cast<std::size_t>(index)];
}

void FrmEingPZ::showHoliday()
{
    const PriorityTimeFields& f = entry_.fields();
    const auto& table = ctx_.holidays.Feiertage();
    const auto rowOf = [&]() -> int {
        for (std::size_t r = 0; r < shownHolidays_.size(); ++r) {
            const int index = shownHolidays_[r];
            if (index < 0 ? !f.feiertag->Name.isEmpty() : !(table[static_cast<std::size_t>(index)] == *f.feiertag))
                continue;
            return static_cast<int>(r);
        }
        return -1;
    };
    int row = -1;
    if (f.feiertag) {
        row = rowOf();
        if (row < 0) {
            // Not in the chosen set: the whole list, and there the movable
            // holiday of a loaded entry that no holiday of the table names.
            cbo_Ft_sets_->setCurrentIndex(cbo_Ft_sets_->count() - 1);
            fillHolidays(cbo_Ft_sets_->count() - 1);
            row = rowOf();
            if (row < 0) {
                const QSignalBlocker block(lst_bew_Feiertage_);
                shownHolidays_.push_back(-1);
                lst_bew_Feiertage_->addItem(EasterOffsetText(f.feiertag->Tag, ctx_.texts, {}));
                row = static_cast<int>(shownHolidays_.size()) - 1;
            }
        }
    }
    const QSignalBlocker block(lst_bew_Feiertage_);
    lst_bew_Feiertage_->setCurrentRow(row);
}

bool FrmEingPZ::commitFields()
{
    for (EntryBox* b : {vonTag_, vonMon_, bisTag_, bisMon_, priority_}) {
        if (b->isEnabledTo(this) && !b->commit())
            return false;
    }
    return true;
}

void FrmEingPZ::showFields()
{
    const PriorityTimeFields& f = entry_.fields();
    const bool eib = ctx_.model.eib();
    vonTag_->showRow(f.vonTag - 1);
    vonMon_->showRow(f.vonMonat - 1);
    bisTag_->showRow(f.bisTag - 1);
    bisMon_->showRow(f.bisMonat - 1);
    priority_->showRow(ListIndexOfPriority(f.prioritaet, eib));
    lstvonJahr_->setCurrentIndex(ListIndexOfYearCode(f.jahrCode));
    chk1x_->setChecked(f.einmal || f.jahrCode != 0);

    // A movable holiday takes the place of the typed range and the year.
    const bool holidays = ctx_.holidays.AnzFeiertage() > 0 || f.bewFeiertag;
    chk_bew_Feiertage_->setEnabled(holidays);
    chk_bew_Feiertage_->setChecked(f.bewFeiertag);
    cbo_Ft_sets_->setEnabled(f.bewFeiertag);
    lst_bew_Feiertage_->setEnabled(f.bewFeiertag);
    fraVon_->setEnabled(!f.bewFeiertag);
    fraBis_->setEnabled(!f.bewFeiertag);
    lstvonJahr_->setEnabled(!f.bewFeiertag && PriorityTimeFields::yearAvailable(ctx_.model.device));
    showHoliday();
}

QWidget* FrmEingPZ::firstField() const
{
    if (entry_.fields().bewFeiertag)
        return lst_bew_Feiertage_;
    return vonTag_->box();
}

} // namespace zendrik
