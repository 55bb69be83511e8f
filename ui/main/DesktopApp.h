#pragma once

#include "app/FileCommands.h"
#include "calendar/FeiertagTabelle.h"
#include "editing/AssistantSettings.h"
#include "editing/ListFilter.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "transfer/chip/SerialTransferOptions.h"
#include "ui/common/ScreenFit.h"

#include <QObject>
#include <QPointer>
#include <QTranslator>

#include <memory>

namespace zendrik {

class FileChooser;
class HelpController;
class FrmStartbild;
class MdiForm1;
class UserInteraction;

// The desktop program's run: the start screen, then the main frame, back to
// the start screen on "New", the end on "Exit". It owns the program model,
// the text table and the list filter for the whole run. Questions and file
// names come from the given interaction and chooser (message boxes and file
// dialogs when none are given; tests hand in scripted ones).
class DesktopApp : public QObject {
    Q_OBJECT
public:
    explicit DesktopApp(const QString& workDir, UserInteraction* ui = nullptr, FileChooser* chooser = nullptr,
                        QObject* parent = nullptr);
    ~DesktopApp() override;

    // Reads the brand and settings files of the working directory and shows
    // the start screen. False when the brand is missing or unknown: the
    // message "unknown manufacturer" was shown and the program ends.
    bool start();
    // A program file to open as soon as the main frame is up.
    void openAfterStart(const QString& path) { pendingFile_ = path; }

    ProgramModel& model() { return model_; }
    TextTable& texts() { return texts_; }
    ListFilter& filter() { return filter_; }
    // Timing of the serial chip transfer; the adapter's own by default.
    SerialTransferOptions& transferOptions() { return transferOptions_; }
    // The screen room of the windows; the screen's own by default.
    void setScreenArea(ScreenArea area) { screenArea_ = std::move(area); }
    FrmStartbild* startScreen() const;
    HelpController& help() const { return *help_; }
    MdiForm1* mainFrame() const;

signals:
    void exitRequested();

private:
    void showStartScreen();
    void chooseLanguage(int sprache);
    void installFurtherLanguage();
    void confirmStart(int row);
    void offerRecovery();
    void backToStart();
    void useQtTexts();

    QString workDir_;
    ProgramModel model_;
    TextTable texts_;
    ListFilter filter_;
    FeiertagTabelle holidays_;
    SerialTransferOptions transferOptions_;
    ScreenArea screenArea_ = AvailableScreenArea;
    // The edit assistant's settings last for the run of the program.
    AssistantSettings assistant_;
    std::unique_ptr<UserInteraction> ownUi_;
    std::unique_ptr<FileChooser> ownChooser_;
    UserInteraction& ui_;
    FileChooser& chooser_;
    FileCommands commands_;
    QPointer<FrmStartbild> start_;
    QPointer<MdiForm1> frame_;
    QString pendingFile_;
    bool recoveryOffered_ = false;
    QTranslator qtTexts_;
    HelpController* help_;
};

} // namespace zendrik
