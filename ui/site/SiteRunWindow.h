#pragma once

#include "language/ExtraText.h"
#include "site/Site.h"
#include "site/SiteRun.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QThread;

namespace zendrik {

class TextTable;
class UserInteraction;

// "Anlage übertragen" / "Anlage auslesen": one row per device with its state
// and a progress bar, the overall progress below. The run goes on a thread
// of its own so that the window stays responsive; "Stopp" stops after the
// device in progress. A chip or infrared device asks the user to get it
// ready (OK) or to skip it. The site (last transfers) changes only while the
// run goes; the dock shows it again when `runFinished` comes.
class SiteRunWindow : public QDialog {
    Q_OBJECT
public:
    SiteRunWindow(Site& site, SiteDirection direction, const QString& outDir, const QString& workDir,
                  const TextTable& texts, UserInteraction& ui, QWidget* parent = nullptr);
    ~SiteRunWindow() override;

    bool running() const { return thread_ != nullptr; }
    const std::vector<SiteDeviceResult>& results() const { return results_; }
    QTableWidget* table() const { return table_; }

public slots:
    void start();
    void stop();

signals:
    void runFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class Observer;
    int rowOf(const QString& device) const;
    void started(const QString& device, int index, int count);
    void progress(const QString& device, int percent);
    void finishedDevice(const SiteDeviceResult& result);
    bool guide(const QString& instruction);
    void finished();
    QProgressBar* bar(int row) const;

    Site& site_;
    SiteDirection direction_;
    QString outDir_;
    QString workDir_;
    const TextTable& texts_;
    UserInteraction& ui_;
    std::unique_ptr<SiteRun> run_;
    std::unique_ptr<Observer> observer_;
    QThread* thread_ = nullptr;
    std::vector<SiteDeviceResult> results_;
    int done_ = 0;
    int count_ = 0;
    QRadioButton* optAll_;
    QRadioButton* optChanged_;
    QTableWidget* table_;
    QProgressBar* overall_;
    QLabel* lblSummary_;
    QPushButton* cmdStart_;
    QPushButton* cmdStop_;
    QPushButton* cmdClose_;
};

} // namespace zendrik
