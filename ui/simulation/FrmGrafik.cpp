#include "ui/simulation/FrmGrafik.h"

#include "calendar/BehaviourTexts.h"
#include "calendar/BetriebsstundenText.h"
#include "calendar/SimulationCsv.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SwitchingYearExport.h"
#include "calendar/TagPrio.h"
#include "calendar/YearPictureTitle.h"
#include "calendar/YearSimulation.h"
#include "editing/PrintDocument.h"
#include "language/TextTable.h"
#include "model/ExportTarget.h"
#include "model/ProgramModel.h"
#include "paint/YearGraphPainter.h"
#include "ui/simulation/CalendarExportDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kLargestChannelCount = 16;

} // namespace

// ---------------------------------------------------------------- year graph

YearGraphView::YearGraphView(const TextTable& texts, QWidget* parent) : QWidget(parent), texts_(texts)
{
    setObjectName(QStringLiteral("picJahr"));
    setMouseTracking(true);
    // Room for the hours and the twelve month names (February, the
    // shortest, one line of text high) and no more: on a small screen the
    // window needs the rest.
    const QFontMetrics fm(SimulationGraphFont());
    setMinimumSize(420, fm.height() * 15 + 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

YearGraphView::~YearGraphView() = default;

void YearGraphView::show(const YearSimulation* sim, int channel)
{
    sim_ = sim;
    channel_ = channel;
    picture_ = QImage();
    update();
}

void YearGraphView::setSelectedDay(int day)
{
    if (day == selected_)
        return;
    selected_ = day;
    update();
}

void YearGraphView::render()
{
    if (!sim_ || (!picture_.isNull() && picture_.size() == size()))
        return;
    picture_ = RenderYearGraph(*sim_, channel_, texts_, size());
    layout_ = std::make_unique<YearGraphLayout>(YearGraphPictureLayout(picture_, sim_->Tage(), texts_));
}

const QImage& YearGraphView::picture()
{
    render();
    return picture_;
}

int YearGraphView::dayAt(const QPoint& p)
{
    render();
    return layout_ ? layout_->dayAt(p.y()) : 0;
}

int YearGraphView::minuteAt(const QPoint& p)
{
    render();
    return layout_ ? layout_->minuteAt(p.x()) : -1;
}

QPoint YearGraphView::pointOf(int day, int minute)
{
    render();
    if (!layout_)
        return {};
    return {layout_->minuteX(minute), (layout_->dayTop(day) + std::max(layout_->dayTop(day) + 1, layout_->dayTop(day + 1))) / 2};
}

void YearGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    render();
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(0, 0, picture_);
    if (layout_)
        PaintSelectedDay(painter, *layout_, selected_);
}

void YearGraphView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (const int day = dayAt(p); day > 0)
        emit pointed(day, minuteAt(p));
}

void YearGraphView::mousePressEvent(QMouseEvent* event)
{
    mouseMoveEvent(event);
}

void YearGraphView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (const int day = dayAt(p); day > 0)
        emit activated(day, minuteAt(p));
}

// ----------------------------------------------------------------- day graph

DayGraphView::DayGraphView(const TextTable& texts, QWidget* parent) : QWidget(parent), texts_(texts)
{
    setObjectName(QStringLiteral("picTag"));
    setMouseTracking(true);
    setMinimumSize(420, 110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

DayGraphView::~DayGraphView() = default;

DayGraphLayout DayGraphView::layout() const
{
    return DayGraphLayout(rect(), SimulationGraphFont(), this, texts_);
}

void DayGraphView::show(const DayProfile& profile)
{
    profile_ = profile;
    update();
}

int DayGraphView::minuteAt(const QPoint& p) const
{
    const DayGraphLayout l = layout();
    const int first = l.minuteAt(p.x());
    if (first < 0)
        return -1;
    // The minutes of this pixel column and its neighbours, which the bar
    // of a pulse covers.
    const int from = std::max(0, l.minuteAt(std::max(p.x() - 1, l.plot.left())));
    int to = first;
    while (to + 1 < kMinutesOfDay && l.minuteX(to + 1) <= p.x() + 1)
        ++to;
    for (int m = from; m <= to; ++m) {
        const int state = profile_.StateAt(m);
        if (state == ProfileImpulsEin || state == ProfileImpulsAus)
            return m;
    }
    return first;
}

int DayGraphView::xOfMinute(int minute) const
{
    return layout().minuteX(minute);
}

void DayGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    PaintDayGraph(painter, layout(), profile_, texts_);
}

void DayGraphView::mouseMoveEvent(QMouseEvent* event)
{
    if (const int minute = minuteAt(event->position().toPoint()); minute >= 0)
        emit pointed(minute);
}

void DayGraphView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const int minute = minuteAt(event->position().toPoint()); minute >= 0)
        emit activated(minute);
}

// -------------------------------------------------------------------- legend

ColorLegend::ColorLegend(const TextTable& texts, QWidget* parent) : QWidget(parent), texts_(texts)
{
    setObjectName(QStringLiteral("lblColorP"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

namespace {

// The priority programs P0..P9 of the legend side by side in two columns,
// so that the legend is no taller than the year graph on a small screen.
constexpr int kLegendProgramRows = 5;

} // namespace

QSize ColorLegend::sizeHint() const
{
    const QFontMetrics fm(font());
    const int box = fm.height() * 2 / 3 + fm.averageCharWidth();
    int width = fm.horizontalAdvance(YearGraphStateName(ProfileImpulsEin, texts_));
    for (const int p : {kTagPrioPermanentEin, kTagPrioPermanentAus})
        width = std::max(width, fm.horizontalAdvance(YearGraphPriorityName(p, texts_)));
    width = std::max(width + box, 2 * (box + fm.horizontalAdvance(QStringLiteral("P9"))) + fm.averageCharWidth() * 2);
    // The three states, a gap, the programs, the two permanent states.
    return {width + fm.averageCharWidth(), fm.height() * (3 + kLegendProgramRows + 2) + fm.height() / 2};
}

QSize ColorLegend::minimumSizeHint() const
{
    return sizeHint();
}

void ColorLegend::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics fm(font());
    const int box = fm.height() * 2 / 3;
    const int column = box + fm.averageCharWidth() * 3 + fm.horizontalAdvance(QStringLiteral("P9"));
    auto item = [&](int x, int y, const QColor& colour, const QString& text) {
        const QRect square(x, y + (fm.height() - box) / 2, box, box);
        painter.fillRect(square, colour);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(square);
        painter.drawText(QRect(x + box + fm.averageCharWidth(), y, width() - x - box, fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    int y = 0;
    for (const int state : {ProfileEin, ProfileAus, ProfileImpulsEin}) {
        item(0, y, YearGraphStateColour(state), YearGraphStateName(state, texts_));
        y += fm.height();
    }
    y += fm.height() / 2;
    for (int p = 0; p < 2 * kLegendProgramRows; ++p)
        item(p / kLegendProgramRows * column, y + p % kLegendProgramRows * fm.height(), YearGraphPriorityColour(p),
             YearGraphPriorityName(p, texts_));
    y += kLegendProgramRows * fm.height();
    for (const int p : {kTagPrioPermanentEin, kTagPrioPermanentAus}) {
        item(0, y, YearGraphPriorityColour(p), YearGraphPriorityName(p, texts_));
        y += fm.height();
    }
}

// -------------------------------------------------------------------- window

FrmGrafik::FrmGrafik(const ProgramModel& model, const TextTable& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), texts_(texts)
{
    setObjectName(QStringLiteral("FrmGrafik"));
    resize(1040, 780);

    lblJahr_ = new QLabel(this);
    cboJahr_ = new QComboBox(this);
    cboJahr_->setObjectName(QStringLiteral("cboJahr"));
    for (int y = kFirstSimulationYear; y <= kLastSimulationYear; ++y)
        cboJahr_->addItem(QString::number(y), y);
    const int current = std::clamp(model_.currentYear(), kFirstSimulationYear, kLastSimulationYear);
    cboJahr_->setCurrentIndex(current - kFirstSimulationYear);
    lblJahr_->setBuddy(cboJahr_);
    lblKanal_ = new QLabel(this);
    cboKanal_ = new QComboBox(this);
    cboKanal_->setObjectName(QStringLiteral("cboKanal"));
    lblKanal_->setBuddy(cboKanal_);
    cmdJahresstunden_ = new QPushButton(this);
    cmdJahresstunden_->setObjectName(QStringLiteral("cmdJahresstunden"));
    cmdNeuZeichnen_ = new QPushButton(this);
    cmdNeuZeichnen_->setObjectName(QStringLiteral("cmdNeuZeichnen"));
    cmdPng_ = new QPushButton(this);
    cmdPng_->setObjectName(QStringLiteral("cmdPng"));
    cmdCsv_ = new QPushButton(this);
    cmdCsv_->setObjectName(QStringLiteral("cmdCsv"));
    cmdBeenden_ = new QPushButton(this);
    cmdBeenden_->setObjectName(QStringLiteral("cmdBeenden"));
    cmdVergleichen_ = new QPushButton(this);
    cmdVergleichen_->setObjectName(QStringLiteral("cmdVergleichen"));
    cmdKalender_ = new QPushButton(this);
    cmdKalender_->setObjectName(QStringLiteral("cmdKalender"));

    year_ = new YearGraphView(texts_, this);
    legend_ = new ColorLegend(texts_, this);
    lblDatum_ = new QLabel(this);
    lblDatum_->setObjectName(QStringLiteral("lblDatum"));
    hsbTag_ = new QScrollBar(Qt::Horizontal, this);
    hsbTag_->setObjectName(QStringLiteral("hsbTag"));
    hsbTag_->setPageStep(7);
    dayView_ = new DayGraphView(texts_, this);
    lblZeit_ = new QLabel(this);
    lblZeit_->setObjectName(QStringLiteral("lblZeit"));
    lblZeit_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("00:00 MARCHE ")) + 8);
    lblUrsache_ = new QLabel(this);
    lblUrsache_->setObjectName(QStringLiteral("lblUrsache"));
    lblUrsache_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblBetriebsstunden_ = new QLabel(this);
    lblBetriebsstunden_->setObjectName(QStringLiteral("lblBetriebsstunden"));
    lblJahresstunden_ = new QLabel(this);
    lblJahresstunden_->setObjectName(QStringLiteral("lblJahresstunden"));
    lblHinweis_ = new QLabel(this);
    lblHinweis_->setObjectName(QStringLiteral("lblHinweis"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblJahr_);
    top->addWidget(cboJahr_);
    top->addSpacing(16);
    top->addWidget(lblKanal_);
    top->addWidget(cboKanal_, 1);
    top->addStretch(1);
    top->addWidget(cmdVergleichen_);
    top->addWidget(cmdKalender_);
    top->addWidget(cmdNeuZeichnen_);

    auto* graph = new QHBoxLayout;
    graph->addWidget(year_, 1);
    graph->addWidget(legend_, 0, Qt::AlignTop);

    auto* pointer = new QHBoxLayout;
    pointer->addWidget(lblZeit_);
    pointer->addWidget(lblUrsache_, 1);

    auto* hours = new QHBoxLayout;
    hours->addWidget(lblBetriebsstunden_);
    hours->addSpacing(24);
    hours->addWidget(cmdJahresstunden_);
    hours->addWidget(lblJahresstunden_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblHinweis_, 1);
    buttons->addWidget(cmdPng_);
    buttons->addWidget(cmdCsv_);
    buttons->addWidget(cmdBeenden_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(graph, 3);
    layout->addWidget(lblDatum_);
    layout->addWidget(hsbTag_);
    layout->addWidget(dayView_, 1);
    layout->addLayout(pointer);
    layout->addLayout(hours);
    layout->addLayout(buttons);

    chooseFile = [this](const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, QString(), suggested, filter);
    };

    connect(cboJahr_, &QComboBox::currentIndexChanged, this, &FrmGrafik::yearChosen);
    connect(cboKanal_, &QComboBox::currentIndexChanged, this, &FrmGrafik::channelChosen);
    connect(hsbTag_, &QScrollBar::valueChanged, this, &FrmGrafik::showDay);
    connect(year_, &YearGraphView::pointed, this, [this](int day, int minute) {
        showDay(day);
        showPointed(day, minute);
    });
    connect(year_, &YearGraphView::activated, this, &FrmGrafik::activate);
    connect(dayView_, &DayGraphView::pointed, this, [this](int minute) { showPointed(day_, minute); });
    connect(dayView_, &DayGraphView::activated, this, [this](int minute) { activate(day_, minute); });
    connect(cmdJahresstunden_, &QPushButton::clicked, this, &FrmGrafik::computeYearHours);
    connect(cmdNeuZeichnen_, &QPushButton::clicked, this, &FrmGrafik::redraw);
    connect(cmdPng_, &QPushButton::clicked, this, &FrmGrafik::savePicture);
    connect(cmdCsv_, &QPushButton::clicked, this, &FrmGrafik::saveTable);
    connect(cmdKalender_, &QPushButton::clicked, this, &FrmGrafik::saveCalendar);
    connect(cmdVergleichen_, &QPushButton::clicked, this,
            [this] { emit compareRequested(sim_->Slot(), simJahr(), channel()); });
    connect(cmdBeenden_, &QPushButton::clicked, this, &QWidget::close);

    fillChannels();
    retranslate();
    // Opening shows today when the current year is simulated.
    const QDate today = model_.clock().date();
    day_ = today.year() == simJahr() ? today.dayOfYear() : 1;
    simulate();
}

FrmGrafik::~FrmGrafik() = default;

int FrmGrafik::simJahr() const
{
    return cboJahr_->currentData().toInt();
}

int FrmGrafik::channel() const
{
    return std::max(0, cboKanal_->currentIndex());
}

void FrmGrafik::retranslate()
{
    updateTitle();
    lblJahr_->setText(texts_(TextId::SimulationYear));
    lblKanal_->setText(texts_(TextId::ChannelWord));
    cmdJahresstunden_->setText(texts_(TextId::ComputeYearOperatingHours));
    cmdNeuZeichnen_->setText(texts_(TextId::Redraw));
    cmdBeenden_->setText(texts_(TextId::Exit));
    cmdPng_->setText(texts_(kSimExportPng));
    cmdCsv_->setText(texts_(kSimExportCsv));
    cmdKalender_->setText(texts_(kExportCalendar));
    cmdVergleichen_->setText(texts_(kBehaviourCompareWith));
    lblHinweis_->setText(texts_(kSimHint));
    legend_->updateGeometry();
    if (sim_)
        showDay(day_);
}

void FrmGrafik::updateTitle()
{
    // Like the list: "Vorlage " before the title while the sample is shown.
    setWindowTitle((simulated_.slot == kSampleSlot ? texts_(TextId::Sample) : QString())
                   + texts_(TextId::ProgramSimulation));
}

void FrmGrafik::fillChannels()
{
    // Every channel the device has; its name from the header of the slot shown.
    const ProgramSlot& shown = model_.slot(model_.AktSlot == kSampleSlot ? kSampleSlot : kProgramSlot);
    const int channels = std::clamp(model_.device.Kanalzahl, 1, kLargestChannelCount);
    const int chosen = std::clamp(cboKanal_->currentIndex(), 0, channels - 1);
    const QSignalBlocker block(cboKanal_);
    cboKanal_->clear();
    for (int c = 0; c < channels; ++c) {
        const QString name = shown.Kanalname[static_cast<std::size_t>(c)].trimmed();
        cboKanal_->addItem(name.isEmpty() ? QStringLiteral("C%1").arg(c + 1)
                                          : QStringLiteral("C%1  %2").arg(c + 1).arg(name));
    }
    cboKanal_->setCurrentIndex(chosen);
}

void FrmGrafik::simulate()
{
    const int slot = model_.AktSlot == kSampleSlot ? kSampleSlot : kProgramSlot;
    const bool slotSwitched = slot != simulated_.slot;
    sim_ = std::make_unique<YearSimulation>(model_, simJahr(), slot);
    simulated_ = TakeSimulationSnapshot(model_, slot);
    if (slotSwitched)
        updateTitle();
    year_->show(sim_.get(), channel());
    {
        const QSignalBlocker block(hsbTag_);
        hsbTag_->setRange(1, sim_->Tage());
    }
    if (yearHoursShown_)
        lblJahresstunden_->setText(
            JahresbetriebsstundenText(channel() + 1, sim_->Jahresbetriebsminuten(channel()), texts_));
    showDay(day_);
}

void FrmGrafik::programChanged()
{
    // The list may show the other slot now: the window follows it.
    if (sim_ && TakeSimulationSnapshot(model_, model_.AktSlot) == simulated_)
        return;
    fillChannels();
    simulate();
}

void FrmGrafik::redraw()
{
    fillChannels();
    simulate();
}

void FrmGrafik::yearChosen()
{
    // The shown day stays, within the days of the new year: day 366 of a
    // leap year becomes 31 December of a common year.
    simulate();
}

void FrmGrafik::channelChosen()
{
    year_->show(sim_.get(), channel());
    if (yearHoursShown_)
        lblJahresstunden_->setText(
            JahresbetriebsstundenText(channel() + 1, sim_->Jahresbetriebsminuten(channel()), texts_));
    showDay(day_);
}

void FrmGrafik::showChannel(int channel)
{
    const int c = std::clamp(channel, 0, std::max(0, cboKanal_->count() - 1));
    if (c == cboKanal_->currentIndex())
        return;
    {
        const QSignalBlocker block(cboKanal_);
        cboKanal_->setCurrentIndex(c);
    }
    channelChosen();
}

void FrmGrafik::showDay(int dayOfYear)
{
    if (!sim_)
        return;
    day_ = std::clamp(dayOfYear, 1, sim_->Tage());
    {
        const QSignalBlocker block(hsbTag_);
        hsbTag_->setValue(day_);
    }
    profile_ = sim_->Rechne_SzGrafik(channel(), day_);
    dayView_->show(profile_);
    year_->setSelectedDay(day_);

    const CalendarDate date = DateOfDayOfYear(day_, sim_->SimJahr());
    const int weekday = WochentagVon(date.day, date.month, date.year);
    lblDatum_->setText(texts_(static_cast<TextId>(static_cast<int>(TextId::Monday) + weekday - 1)).trimmed()
                       + QLatin1Char(' ') + SimulationDateText(date, texts_) + QStringLiteral(" \u2013 ")
                       + dayProgramText(day_));
    lblBetriebsstunden_->setText(BetriebsstundenText(profile_.betriebsMinuten, texts_));
}

SimulationCause FrmGrafik::causeAt(int day, int minute) const
{
    return sim_->Explain(channel(), day, minute);
}

QString FrmGrafik::dayProgramText(int day) const
{
    // The day's program and the priority time that gives it.
    const int priority = sim_->Prioritaeten()(channel(), day);
    const int entry = sim_->Prioritaeten().Quelle(channel(), day);
    if (entry < 0)
        return DayPriorityText(priority, texts_);
    return texts_(kCausePriorityTime).arg(sim_->ListNumber(entry)).arg(DayPriorityText(priority, texts_));
}

QString FrmGrafik::causeText(int day, int minute) const
{
    // Beside the chart (the priority strip): what gives the day its program.
    if (minute < 0)
        return dayProgramText(day);
    return SimulationCauseText(causeAt(day, minute), texts_);
}

void FrmGrafik::showPointed(int day, int minute)
{
    if (minute >= 0) {
        const SimulationCause cause = causeAt(day, minute);
        lblZeit_->setText(SimulationTimeText(minute) + QLatin1Char(' ') + YearGraphStateName(cause.state, texts_));
        lblUrsache_->setText(SimulationCauseText(cause, texts_));
    } else {
        lblZeit_->clear();
        lblUrsache_->setText(dayProgramText(day));
    }
}

void FrmGrafik::activate(int day, int minute)
{
    const SimulationCause cause = causeAt(day, std::max(minute, 0));
    const int entry = minute >= 0 && cause.entry >= 0 ? cause.entry : cause.priorityEntry;
    if (entry >= 0)
        emit entryRequested(sim_->Slot(), entry);
}

void FrmGrafik::computeYearHours()
{
    yearHoursShown_ = true;
    lblJahresstunden_->setText(
        JahresbetriebsstundenText(channel() + 1, sim_->Jahresbetriebsminuten(channel()), texts_));
    showDay(day_);
}

QString FrmGrafik::suggestedFile(const QString& extension, bool ofChannel) const
{
    const QString program = model_.slot(sim_->Slot()).Dateiname;
    if (program.isEmpty())
        return QString();
    const QFileInfo info(program);
    const QString year = QStringLiteral("%1 %2").arg(info.completeBaseName()).arg(simJahr());
    return info.dir().filePath(ofChannel ? QStringLiteral("%1 C%2.%3").arg(year).arg(channel() + 1).arg(extension)
                                         : QStringLiteral("%1.%2").arg(year, extension));
}

void FrmGrafik::report(bool ok, const QString& path, const QString& error)
{
    lblHinweis_->setText(ok ? texts_(kSimSaved).arg(path) : texts_(kSimNotSaved).arg(path + QStringLiteral(": ") + error));
}

bool FrmGrafik::wouldOverwriteProgram(const QString& path) const
{
    // Neither the program, nor the sample beside it, nor any other program file.
    for (const int slot : {kProgramSlot, kSampleSlot}) {
        if (CheckExportTarget(path, model_.slot(slot).Dateiname) == ExportTargetCheck::ProgramFile)
            return true;
    }
    return false;
}

bool FrmGrafik::exportPng(const QString& path)
{
    if (wouldOverwriteProgram(path)) {
        lblHinweis_->setText(ExportTargetRefusal(path).render(texts_));
        return false;
    }
    QString error;
    // The picture the command line writes: the graph with its title and legend.
    const QImage picture = RenderYearGraphPicture(*sim_, channel(), texts_, kYearPictureSize,
                                                  YearPictureTitle(model_, *sim_, channel(), texts_));
    const bool ok = WriteYearGraphPng(picture, path, &error);
    report(ok, path, error);
    return ok;
}

bool FrmGrafik::exportCsv(const QString& path)
{
    if (wouldOverwriteProgram(path)) {
        lblHinweis_->setText(ExportTargetRefusal(path).render(texts_));
        return false;
    }
    QString error;
    const bool ok = WriteExportFile(path, SimulationCsv(*sim_, channel(), texts_), &error);
    report(ok, path, error);
    return ok;
}

bool FrmGrafik::exportCalendar(const QString& path, const std::vector<int>& channels, const QString& zone)
{
    if (wouldOverwriteProgram(path)) {
        lblHinweis_->setText(ExportTargetRefusal(path).render(texts_));
        return false;
    }
    const std::vector<SwitchingPeriod> periods = SwitchingPeriods(model_, *sim_, channels, texts_);
    QByteArray data;
    if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        data = SwitchingPeriodsCsv(periods);
    } else if (SwitchingYearCalendar(periods, ProgramCalendarOptions(model_, *sim_, zone, QDateTime::currentDateTimeUtc()),
                                     texts_, &data)
               == CalendarResult::UnknownZone) {
        lblHinweis_->setText(texts_(kExportUnknownZone).arg(zone));
        return false;
    }
    QString error;
    const bool ok = WriteExportFile(path, data, &error);
    report(ok, path, error);
    return ok;
}

CalendarExportDialog* FrmGrafik::calendarDialog() const
{
    return calendarDialog_.data();
}

void FrmGrafik::saveCalendar()
{
    if (!calendarDialog_) {
        QStringList channels;
        for (int c = 0; c < cboKanal_->count(); ++c)
            channels << cboKanal_->itemText(c);
        calendarDialog_ = new CalendarExportDialog(channels, texts_, this);
        calendarDialog_->setAttribute(Qt::WA_DeleteOnClose);
        connect(calendarDialog_, &CalendarExportDialog::exportChosen, this, &FrmGrafik::calendarChosen);
    }
    calendarDialog_->open();
}

void FrmGrafik::calendarChosen()
{
    CalendarExportDialog* dialog = calendarDialog_.data();
    if (!dialog)
        return;
    const std::vector<int> channels = dialog->channels();
    const QString zone = dialog->zone();
    // A zone the calendar cannot be written in is said before a file is chosen.
    QByteArray probe;
    if (SwitchingYearCalendar({}, ProgramCalendarOptions(model_, *sim_, zone, QDateTime::currentDateTimeUtc()),
                              texts_, &probe)
        == CalendarResult::UnknownZone) {
        dialog->showError(texts_(kExportUnknownZone).arg(zone));
        return;
    }
    dialog->accept();
    const QString path = chooseFile(suggestedFile(QStringLiteral("ics"), false),
                                    QStringLiteral("iCalendar (*.ics);;CSV (*.csv)"));
    if (!path.isEmpty())
        exportCalendar(path, channels, zone);
}

void FrmGrafik::savePicture()
{
    if (const QString path = chooseFile(suggestedFile(QStringLiteral("png")), QStringLiteral("*.png")); !path.isEmpty())
        exportPng(path);
}

void FrmGrafik::saveTable()
{
    if (const QString path = chooseFile(suggestedFile(QStringLiteral("csv")), QStringLiteral("*.csv")); !path.isEmpty())
        exportCsv(path);
}

void FrmGrafik::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}

} // namespace zendrik
