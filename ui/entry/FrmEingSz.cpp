#include "ui/entry/FrmEingSz.h"

#include "editing/EntryFields.h"
#include "editing/EntryTexts.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/entry/EntryBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zendrik {

namespace {

const char* const kWeekdayBoxes[] = {"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag",
                                     "chkFreitag", "chkSamstag", "chkSonntag"};

// The date and weekday caption "Datum/Tage" names both halves; the date group takes the first.
QString dateCaption(const TextTable& texts)
{
    return texts(TextId::ColDateDays).section(QLatin1Char('/'), 0, 0).trimmed();
}

} // namespace

FrmEingSz::FrmEingSz(const EntryContext& ctx, int eingabeModus, EntrySource source, QWidget* parent)
    : EntryDialog(ctx, {"frmEingSz", "cmdSzok", "cmdSzEnd", "imgSzok"}, parent),
      entry_(ctx.model, ctx.assistant, ctx.ui, eingabeModus, std::move(source))
{
    const TextTable& t = ctx_.texts;
    const bool eib = ctx_.model.eib();

    auto* fraZeit = fieldGroup(t(TextId::TimeOfDay));
    hour_ = entryBox("txtAnzstd", "liststd", HourItems(), t(TextId::Hours), EntryBox::numberRows(0, 23),
                     EntryRangeHint(t(TextId::Hours), 0, 23, false, t));
    minute_ = entryBox("txtAnzMin", "listmin", MinuteItems(), t(TextId::Minutes), EntryBox::numberRows(0, 59),
                       EntryRangeHint(t(TextId::Minutes), 0, 59, false, t));
    hour_->setEmptyRow(0);
    minute_->setEmptyRow(0);
    auto* zeit = new QHBoxLayout(fraZeit);
    zeit->addWidget(hour_);
    zeit->addWidget(minute_);

    auto* fraDatum = fieldGroup(dateCaption(t));
    day_ = entryBox("txtAnztag", "Listtag", DayItems(), t(TextId::Day), EntryBox::numberRows(1, 31),
                    EntryRangeHint(t(TextId::Day), 1, 31, false, t));
    month_ = entryBox("txtAnzMon", "LstMonat", MonthItems(t), t(TextId::Month), EntryBox::monthRows(t),
                      EntryRangeHint(t(TextId::Month), 1, 12, true, t));
    month_->acceptMonthNames();
    chk1x_ = new QCheckBox(mnemonics_.mark(QStringLiteral("1x")), fraDatum);
    chk1x_->setObjectName(QStringLiteral("chk1x"));
    QSizePolicy keepSpace = chk1x_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    chk1x_->setSizePolicy(keepSpace);
    auto* datum = new QGridLayout(fraDatum);
    datum->addWidget(day_, 0, 0);
    datum->addWidget(month_, 0, 1);
    datum->addWidget(chk1x_, 1, 0, 1, 2);
    datum->setRowStretch(2, 1);

    auto* fraImpuls = fieldGroup(t(TextId::Pulse));
    pulse_ = entryBox("txtAnzImp", "listimp", PulseItems(), t(TextId::Seconds), EntryBox::numberRows(0, 59),
                      EntryRangeHint(t(TextId::Pulse), 0, 59, false, t));
    pulse_->setEmptyRow(0);
    auto* impuls = new QVBoxLayout(fraImpuls);
    impuls->addWidget(pulse_);

    fraPrio_ = fieldGroup(t(TextId::Priority));
    priority_ = entryBox(
        "txtAnzPrio", "LstPrio", SwitchingPriorityItems(t, eib), t(TextId::PrioShort),
        [texts = &t, eib](const QString& text) { return ParseSwitchingPriorityField(text, *texts, eib); },
        EntryRangeHint(t(TextId::Priority), 0, LastProgramPriority(eib), true, t));
    priority_->setEmptyRow(0);
    auto* prio = new QVBoxLayout(fraPrio_);
    prio->addWidget(priority_);

    auto* fraTage = fieldGroup(t(TextId::Weekdays));
    auto* tage = new QGridLayout(fraTage);
    for (int d = 0; d < 7; ++d) {
        auto* b = new QCheckBox(mnemonics_.mark(t(static_cast<TextId>(static_cast<int>(TextId::Monday) + d))), fraTage);
        b->setObjectName(QString::fromLatin1(kWeekdayBoxes[d]));
        tage->addWidget(b, d / 4, d % 4);
        chkTag_ << b;
        connect(b, &QCheckBox::clicked, this, [this, d](bool on) {
            entry_.fields().setWeekday(d, on);
            showAll();
        });
    }
    chktgl_ = new QCheckBox(mnemonics_.mark(t(TextId::Daily)), fraTage);
    chktgl_->setObjectName(QStringLiteral("chktgl"));
    tage->addWidget(chktgl_, 1, 3);
    connect(chktgl_, &QCheckBox::clicked, this, [this](bool on) {
        entry_.fields().setDaily(on);
        showAll();
    });

    connect(hour_, &EntryBox::chosen, this, [this](int row) { entry_.fields().stunde = std::max(row, 0); });
    connect(minute_, &EntryBox::chosen, this, [this](int row) { entry_.fields().minute = std::max(row, 0); });
    connect(day_, &EntryBox::chosen, this, [this](int row) {
        if (row < 0)
            entry_.fields().tag = 0;
        else
            entry_.fields().setDay(row + 1);
        showAll();
    });
    connect(month_, &EntryBox::chosen, this, [this](int row) { entry_.fields().monat = row + 1; });
    connect(pulse_, &EntryBox::chosen, this, [this](int row) { entry_.fields().impuls = std::max(row, 0); });
    connect(priority_, &EntryBox::chosen, this, [this](int row) { entry_.fields().prioritaet = std::max(row, 0); });
    connect(chk1x_, &QCheckBox::clicked, this, [this](bool on) { entry_.fields().einmal = on; });

    // Tab order: time, date, pulse, priority, weekdays, channels, state.
    QList<QWidget*> order{hour_->box(), minute_->box(), day_->box(), month_->box(), chk1x_, pulse_->box(),
                          priority_->box()};
    for (QCheckBox* b : chkTag_)
        order << b;
    order << chktgl_;
    order << channelAndStateControls();
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    finish(Parts{entry_, entry_.fields().kanal, entry_.fields().zustand, {fraZeit, fraDatum, fraImpuls, fraPrio_}, fraTage});
}

bool FrmEingSz::commitFields()
{
    for (EntryBox* b : {hour_, minute_, day_, month_, pulse_, priority_}) {
        if (b->isVisibleTo(this) && !b->commit())
            return false;
    }
    return true;
}

void FrmEingSz::showFields()
{
    const SwitchingTimeFields& f = entry_.fields();
    hour_->showRow(f.stunde);
    minute_->showRow(f.minute);
    day_->showRow(f.tag - 1);
    month_->showRow(f.monat - 1);
    pulse_->showRow(f.impuls);
    priority_->showRow(f.prioritaet);
    for (int d = 0; d < chkTag_.size(); ++d)
        chkTag_[d]->setChecked((f.wochentage & (1 << d)) != 0);
    chktgl_->setChecked(f.isDaily());
    chk1x_->setChecked(f.einmal);
    chk1x_->setVisible(f.onceVisible());
    fraPrio_->setVisible(f.priorityVisible());
}

QWidget* FrmEingSz::firstField() const
{
    return hour_->box();
}

} // namespace zendrik
