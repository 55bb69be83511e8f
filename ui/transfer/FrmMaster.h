#pragma once

#include "transfer/chip/MasterCard.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// "Codierung": codes a master card. The window holds nothing of its own:
// every click stores its value in the program, marks it modified, builds
// the header again and tells the main frame (programChanged), which shows
// " Mastercard " and keeps the click as an undo step. The card is then
// saved and transferred like any program.
class FrmMaster : public QDialog {
    Q_OBJECT
public:
    FrmMaster(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QWidget* parent = nullptr);

    // Sets every control from the program again (after an undo step).
    void load();

signals:
    void programChanged();

private:
    void clicked(const MasterClick& click);
    QRadioButton* option(QGroupBox* frame, const char* name, const QString& caption, MasterField field, int value);

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;
    QGroupBox* FrmVersch_;
    struct Choice {
        QRadioButton* button;
        MasterField field;
        int value;
    };
    std::vector<Choice> choices_;
    std::array<QCheckBox*, 8> Check_{};
};

} // namespace zendrik
