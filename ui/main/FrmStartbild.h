#pragma once

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace zendrik {

class ProgramModel;
class TextTable;

// The start screen: device type and language. Confirming hands the chosen
// device-type row to the application; the language buttons and the
// further-language button ask the application to switch the text table,
// after which it relabels the screen.
class FrmStartbild : public QWidget {
    Q_OBJECT
public:
    FrmStartbild(ProgramModel& model, const TextTable& texts, const QString& workDir, QWidget* parent = nullptr);

    // Fills the device combo for the brand, preselects the row matching the
    // settings and checks the button of the language in use.
    void load();
    void retranslate();

    // The device-type row (1..20) of the combo's choice; 0 when none.
    int chosenRow() const;

signals:
    void languageChosen(int sprache);
    void furtherLanguageRequested();
    void confirmed(int row);

private:
    void updateIntroduction();
    void startIntroduction();

    ProgramModel& model_;
    const TextTable& texts_;
    QString workDir_;
    QLabel* banner_;
    QLabel* lblUhrentyp_;
    QComboBox* cboUhrentyp_;
    QButtonGroup* languages_;
    QToolButton* AniDeutsch_;
    QToolButton* AniEnglisch_;
    QToolButton* AniFrance_;
    QToolButton* Aniworld_;
    QToolButton* cmdeinfuehrung_;
    QPushButton* cmd_ok_;
    QLabel* version_;
};

} // namespace zendrik
