#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace zendrik {

class FeiertagTabelle;
class TextTable;
class UserInteraction;
struct DeviceSettings;
enum class FeiertagResult;

// The holiday dialog (frmfeiertage, "Feiertagseinstellungen"): the holiday
// list with name, kind and date controls, add and delete, the holiday sets
// and their members, the years for weekday-rule holidays, the dates of the
// chosen set for some years with their iCalendar and CSV export, and
// "Beenden", which writes the language's holiday file. Every change of the
// table is announced at once (tableChanged), so the priority-time dialog
// shows it.
class FrmFeiertage : public QDialog {
    Q_OBJECT
public:
    // Asks for a line of text (the set name); empty when cancelled.
    using AskText = std::function<std::optional<QString>(const QString& prompt)>;
    // Asks for the name of a file to write; empty when cancelled.
    using AskSaveFile = std::function<QString(const QString& suggested, const QString& filter)>;

    FrmFeiertage(FeiertagTabelle& table, DeviceSettings& device, const TextTable& texts, UserInteraction& ui,
                 const QString& holidayFile, QWidget* parent = nullptr);

    void setAskText(AskText ask) { askText_ = std::move(ask); }
    void setAskSaveFile(AskSaveFile ask) { askSaveFile_ = std::move(ask); }

    // The set chosen in the set combo, -1 when there is none.
    int chosenSet() const;

signals:
    void tableChanged();

private:
    void fillHolidays(int select);
    void fillSets(int select);
    void fillMembers();
    void fillDates();
    void showHoliday(int row);
    void showKind();
    void addHoliday();
    void deleteHoliday();
    void addSet();
    void deleteSet();
    void addToSet();
    void removeFromSet();
    void changeMembership(FeiertagResult (FeiertagTabelle::*change)(int, int));
    void exportDates(bool ics);
    void finish();
    // Shows the message of a refused operation; true when it succeeded.
    bool report(FeiertagResult result);

    FeiertagTabelle& table_;
    DeviceSettings& device_;
    const TextTable& texts_;
    UserInteraction& ui_;
    QString file_;
    AskText askText_;
    AskSaveFile askSaveFile_;

    QListWidget* lstFeiertage_;
    QLineEdit* txtName_;
    QRadioButton* optFest_;
    QCheckBox* chkErsatz_;
    QLabel* lblErsatz_;
    QRadioButton* optFrei_;
    QRadioButton* optOstern_;
    QComboBox* cboTag_;
    QComboBox* cboMonat_;
    QComboBox* cboWochentag_;
    QScrollBar* hsbOstern_;
    QLabel* lblOstern_;
    QPushButton* cmdAdd_;
    QPushButton* cmdDel_;
    QComboBox* cboSets_;
    QCheckBox* chkImSet_;
    QListWidget* lstSetGlieder_;
    QComboBox* cboJahre_;
    QSpinBox* spnVonJahr_;
    QSpinBox* spnAnzJahre_;
    QListWidget* lstTermine_;
};

} // namespace zendrik
