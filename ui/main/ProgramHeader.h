#pragma once

#include <QList>
#include <QWidget>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QToolButton;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// The program header of the main frame: program number, description,
// channel names and write protection of the shown slot, the memory gauge and
// the filter switches. Leaving a field stores it through the core's header
// rules; the frame refreshes the rest.
class ProgramHeader : public QWidget {
    Q_OBJECT
public:
    ProgramHeader(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QWidget* parent = nullptr);

    // Shows the header of the shown slot; the sample's header is read-only.
    void refresh();
    void retranslate();
    // Stores what is still being typed (before a command runs).
    void commitAll();
    // The memory use of the shown slot.
    void showMemory(const QString& label, int used, int capacity);
    // The filter state: the switch that is visible and the box colour.
    void showFilter(bool on);

signals:
    // A field changed the program.
    void programChanged();
    // The user switched the filter on (true) or off (false).
    void filterSwitched(bool on);

private:
    void rebuildChannelBoxes(int count);
    void commitProgramNumber();
    void commitDescription();
    void commitChannelName(int index);
    void commitWriteProtection(bool on);

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;

    QLabel* lblProgrammnummer_;
    QLineEdit* txtProgrammnummer_;
    QLabel* lblverwendung_;
    QLineEdit* txtverwendung_;
    QToolButton* AniSchreibschutz_;
    QGridLayout* channelGrid_;
    QList<QLabel*> channelLabels_;
    QList<QLineEdit*> txtkannam_;
    QLabel* lblSpeicher_;
    QProgressBar* ggeanzSz_;
    QLabel* lblanzSz_;
    QFrame* picfilter_;
    QToolButton* imgfilt_;
    QToolButton* imgnofilt_;
    QLabel* lblfilter_;
    bool filterOn_ = false;
};

} // namespace zendrik
