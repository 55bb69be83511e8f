#pragma once

#include "editing/PrintDocument.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zendrik {

class ProgramModel;
class TextTable;

// The print window: which sections to print, whether into a text file, and
// the heading interval (`Zeilen`, changed in the device properties). The
// choice is read from the boxes when "Drucken" is pressed.
class FrmDruck : public QDialog {
    Q_OBJECT
public:
    FrmDruck(const ProgramModel& model, const TextTable& texts, QWidget* parent = nullptr);

    // The sections as the boxes stand now.
    PrintRequest request() const;
    bool DruckInDatei() const;
    // Ticks "in Textdatei umleiten" as it was left last time.
    void setDruckInDatei(bool toTextFile);
    // Shows `Zeilen` again (after the device properties changed it).
    void refreshZeilen();

signals:
    // "Drucken": print the request to the printer or into the text file.
    void printRequested(const zendrik::PrintRequest& request, bool toTextFile);
    // The extra button: the same printout as a PDF file.
    void pdfRequested(const zendrik::PrintRequest& request);
    // The hand-over record (every section, the year charts) as a PDF.
    void handoverRequested();
    // "in Textdatei umleiten" was ticked or cleared; the toolbar's print
    // button follows it too.
    void druckInDateiChanged(bool toTextFile);
    // "Ändern": open the device properties.
    void changeZeilenRequested();

private:
    const ProgramModel& model_;
    const TextTable& texts_;
    QCheckBox* chkprsz_;
    QCheckBox* chkprpz_;
    QCheckBox* chkprsw_;
    QCheckBox* Chkprastro_;
    QCheckBox* chkprgeraeteeigenschaften_;
    QCheckBox* chktxtdat_;
    QLabel* lblzeilen_;
};

} // namespace zendrik
