#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zendrik {

class TextTable;

// "Kalender speichern...": which channels go into the calendar (all ticked
// at first) and in which time zone its times are written (empty: the
// device's local time, without zone). OK only asks the window to go on
// (exportChosen); the window closes the dialog or shows what is wrong.
class CalendarExportDialog : public QDialog {
    Q_OBJECT
public:
    // `channels`: the names of the channels as the simulation window lists them.
    CalendarExportDialog(const QStringList& channels, const TextTable& texts, QWidget* parent = nullptr);

    // The ticked channels, 0-based, in order.
    std::vector<int> channels() const;
    QString zone() const;
    // Shows why the choice cannot be written; the dialog stays open.
    void showError(const QString& text);

signals:
    void exportChosen();

private:
    void updateOk();

    QListWidget* lstKanaele_;
    QLineEdit* txtZone_;
    QLabel* lblFehler_;
    QPushButton* cmdOk_;
};

} // namespace zendrik
