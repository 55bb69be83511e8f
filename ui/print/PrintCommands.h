#pragma once

#include "editing/PrintDocument.h"

#include <QObject>
#include <QString>

#include <functional>

class QPrinter;

namespace zendrik {

class FrameServices;
struct DesktopContext;

// The print commands of the main frame: the print window ("&Drucken..."),
// the toolbar print button (the list as shown), and where a printout goes:
// a print preview before the printer, a PDF file, or the text file beside
// the program file. The window's view and filter are never touched: every
// section is built from the program itself.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(DesktopContext& context, FrameServices& frame);

    // mnuDatDruck: opens the print window.
    void openWindow();
    // AniButton2: prints the list as shown (its filter applied), without the
    // window, to the printer or, when the print window's "in Textdatei
    // umleiten" is ticked, into the text file.
    void printShown();
    bool DruckInDatei() const { return DruckInDatei_; }

    void print(const PrintRequest& request, bool toTextFile);
    void savePdf(const PrintRequest& request);
    // The hand-over record of the current year as a PDF beside the program.
    void saveHandover();

    // Shows the printout before it goes to paper; `paint` paints it on the
    // printer it is given. The desktop program shows the print preview (whose
    // print button opens the system's print dialog); tests render instead.
    std::function<void(const std::function<int(QPrinter&)>& paint)> preview;
    // Asks for a file name to write to (text file of an unnamed program, PDF).
    std::function<QString(const QString& suggested, const QString& filter)> chooseFile;

private:
    PrintDocument document(const PrintRequest& request) const;
    void writeText(const PrintDocument& document);
    void showMessage(const QString& text);
    QString choosePdf(const QString& suffix);

    DesktopContext& ctx_;
    FrameServices& frame_;
    // "in Textdatei umleiten" as the print window left it, for this run.
    bool DruckInDatei_ = false;
};

} // namespace zendrik
