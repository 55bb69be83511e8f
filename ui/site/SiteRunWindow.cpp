#include "ui/site/SiteRunWindow.h"

#include "language/Prompt.h"
#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "site/SiteState.h"
#include "ui/checks/SeverityColour.h"
#include "ui/site/SiteWindowTexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

namespace zendrik {

namespace T = sitewindowtexts;

namespace {
constexpr int kColName = 0, kColState = 1, kColProgress = 2;
} // namespace

// Told by the run on its own thread: hands every call to the window's thread.
// A guide question waits there for the user's answer.
class SiteRunWindow::Observer : public SiteRunObserver {
public:
    explicit Observer(SiteRunWindow* window) : window_(window) { }
    // The window goes: no question waits for it any more.
    std::atomic<bool> closing{false};
    void deviceStarted(const QString& device, int index, int count) override
    {
        QMetaObject::invokeMethod(window_, [w = window_, device, index, count] { w->started(device, index, count); });
    }
    void deviceProgress(const QString& device, int percent) override
    {
        QMetaObject::invokeMethod(window_, [w = window_, device, percent] { w->progress(device, percent); });
    }
    void deviceFinished(const SiteDeviceResult& result) override
    {
        QMetaObject::invokeMethod(window_, [w = window_, result] { w->finishedDevice(result); });
    }
    bool guide(const SiteDevice&, const QString& instruction) override
    {
        bool ready = false;
        if (closing)
            return false;
        QMetaObject::invokeMethod(
            window_, [w = window_, instruction] { return w->guide(instruction); }, Qt::BlockingQueuedConnection,
            &ready);
        return ready;
    }

private:
    SiteRunWindow* window_;
};

SiteRunWindow::SiteRunWindow(Site& site, SiteDirection direction, const QString& outDir, const QString& workDir,
                             const TextTable& texts, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), site_(site), direction_(direction), outDir_(outDir), workDir_(workDir), texts_(texts), ui_(ui)
{
    setObjectName(QStringLiteral("frmAnlageLauf"));
    const bool writing = direction == SiteDirection::Write;
    setWindowTitle(texts_(writing ? T::kWriteTitle : T::kReadTitle) + QStringLiteral(" – ") + site.name);
    optAll_ = new QRadioButton(texts_(T::kAllDevices), this);
    optAll_->setObjectName(QStringLiteral("optAlle"));
    optAll_->setChecked(true);
    optChanged_ = new QRadioButton(texts_(T::kChangedOnly), this);
    optChanged_->setObjectName(QStringLiteral("optGeaendert"));
    // Reading has nothing "changed" to choose by.
    optChanged_->setVisible(writing);
    auto* choice = new QHBoxLayout;
    choice->addWidget(optAll_);
    choice->addWidget(optChanged_);
    choice->addStretch(1);

    table_ = new QTableWidget(static_cast<int>(site.devices.size()), 3, this);
    table_->setObjectName(QStringLiteral("tblLauf"));
    table_->setHorizontalHeaderLabels(
        {texts_(T::kColumnName), texts_(T::kColumnState), texts_(T::kColumnProgress)});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(kColState, QHeaderView::Stretch);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SiteDevice& d = site.devices[static_cast<std::size_t>(row)];
        table_->setItem(row, kColName, new QTableWidgetItem(d.name));
        table_->setItem(row, kColState, new QTableWidgetItem(SiteLinkText(d)));
        auto* b = new QProgressBar(table_);
        b->setRange(0, 100);
        b->setValue(0);
        table_->setCellWidget(row, kColProgress, b);
    }
    table_->resizeColumnToContents(kColName);
    overall_ = new QProgressBar(this);
    overall_->setObjectName(QStringLiteral("prgGesamt"));
    overall_->setRange(0, 100);
    overall_->setValue(0);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblLaufErgebnis"));
    lblSummary_->setWordWrap(true);
    if (!writing)
        lblSummary_->setText(texts_(T::kReadInto).arg(outDir));

    cmdStart_ = new QPushButton(texts_(T::kStart), this);
    cmdStart_->setObjectName(QStringLiteral("cmdStart"));
    cmdStart_->setDefault(true);
    cmdStop_ = new QPushButton(texts_(T::kStop), this);
    cmdStop_->setObjectName(QStringLiteral("cmdStopp"));
    cmdStop_->setEnabled(false);
    cmdClose_ = new QPushButton(texts_(T::kClose), this);
    cmdClose_->setObjectName(QStringLiteral("cmdSchliessen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdStart_);
    buttons->addWidget(cmdStop_);
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(table_, 1);
    layout->addWidget(overall_);
    layout->addWidget(lblSummary_);
    layout->addLayout(buttons);
    connect(cmdStart_, &QPushButton::clicked, this, &SiteRunWindow::start);
    connect(cmdStop_, &QPushButton::clicked, this, &SiteRunWindow::stop);
    connect(cmdClose_, &QPushButton::clicked, this, &SiteRunWindow::close);
    resize(560, 380);
}

SiteRunWindow::~SiteRunWindow()
{
    // The run keeps references to the site and the window: it ends first.
    if (thread_) {
        observer_->closing = true;
        run_->requestStop();
        thread_->wait();
    }
}

QProgressBar* SiteRunWindow::bar(int row) const
{
    return qobject_cast<QProgressBar*>(table_->cellWidget(row, kColProgress));
}

int SiteRunWindow::rowOf(const QString& device) const
{
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, kColName)->text() == device)
            return row;
    return -1;
}

void SiteRunWindow::start()
{
    if (thread_)
        return;
    SiteRunOptions options;
    options.direction = direction_;
    options.changedOnly = direction_ == SiteDirection::Write && optChanged_->isChecked();
    options.outDir = outDir_;
    options.workDir = workDir_;
    options.guided = true;
    for (int row = 0; row < table_->rowCount(); ++row) {
        table_->item(row, kColState)->setText(QString());
        bar(row)->setValue(0);
    }
    results_.clear();
    done_ = 0;
    count_ = 0;
    overall_->setValue(0);
    lblSummary_->clear();
    run_ = std::make_unique<SiteRun>(site_, texts_, texts_.extraLanguage());
    observer_ = std::make_unique<Observer>(this);
    thread_ = QThread::create([this, options] { results_ = run_->run(options, observer_.get()); });
    connect(thread_, &QThread::finished, this, &SiteRunWindow::finished);
    cmdStart_->setEnabled(false);
    optAll_->setEnabled(false);
    optChanged_->setEnabled(false);
    cmdStop_->setEnabled(true);
    cmdClose_->setEnabled(false);
    thread_->start();
}

void SiteRunWindow::stop()
{
    if (!thread_)
        return;
    run_->requestStop();
    cmdStop_->setEnabled(false);
    lblSummary_->setText(texts_(T::kStopping));
}

void SiteRunWindow::started(const QString& device, int index, int count)
{
    count_ = count;
    done_ = index;
    if (const int row = rowOf(device); row >= 0) {
        table_->item(row, kColState)->setText(texts_(T::kRunning));
        table_->scrollToItem(table_->item(row, kColName));
    }
}

void SiteRunWindow::progress(const QString& device, int percent)
{
    if (const int row = rowOf(device); row >= 0)
        bar(row)->setValue(std::clamp(percent, 0, 100));
    if (count_ > 0)
        overall_->setValue((done_ * 100 + std::clamp(percent, 0, 100)) / count_);
}

void SiteRunWindow::finishedDevice(const SiteDeviceResult& result)
{
    const int row = rowOf(result.device);
    if (row < 0)
        return;
    QString text = SiteOutcomeText(result.outcome, texts_.extraLanguage());
    if (!result.reason.isEmpty())
        text += QStringLiteral(": ") + result.reason;
    QTableWidgetItem* state = table_->item(row, kColState);
    state->setText(text);
    QStringList tip = result.differences;
    tip.prepend(text);
    state->setToolTip(tip.join(QLatin1Char('\n')));
    // Green done, red failed; skipped and not reached stay plain.
    const bool good = result.outcome == SiteDeviceOutcome::Ok;
    const bool bad = result.outcome == SiteDeviceOutcome::Failed || result.outcome == SiteDeviceOutcome::Differs;
    state->setForeground(good ? OkColour() : bad ? SeverityColour(Severity::Error) : palette().color(QPalette::Text));
    if (good)
        bar(row)->setValue(100);
    ++done_;
    if (count_ > 0)
        overall_->setValue(std::min(100, done_ * 100 / count_));
}

bool SiteRunWindow::guide(const QString& instruction)
{
    return ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Information, {instruction})) == Answer::Ok;
}

void SiteRunWindow::finished()
{
    thread_->deleteLater();
    thread_ = nullptr;
    const SiteRunCounts n = CountSiteRun(results_);
    QString summary = texts_(T::kRunSummary).arg(n.ok).arg(n.failed).arg(n.skipped);
    if (!run_->siteSaveError().isEmpty())
        summary += QLatin1Char('\n') + texts_(T::kSiteNotWritten).arg(run_->siteSaveError());
    lblSummary_->setText(summary);
    overall_->setValue(100);
    cmdStart_->setEnabled(true);
    optAll_->setEnabled(true);
    optChanged_->setEnabled(true);
    cmdStop_->setEnabled(false);
    cmdClose_->setEnabled(true);
    emit runFinished();
}

void SiteRunWindow::closeEvent(QCloseEvent* event)
{
    // A run in progress ends first; the window stays until it has.
    if (thread_) {
        stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void SiteRunWindow::reject()
{
    if (thread_) {
        stop();
        return;
    }
    QDialog::reject();
}

} // namespace zendrik
