#include "ui/main/DesktopApp.h"

#include "app/FileChooser.h"
#include "app/Settings.h"
#include "calendar/FeiertagTexts.h"
#include "editing/RecoveryFile.h"
#include "language/LanguageChoice.h"
#include "model/BrandFile.h"
#include "model/FileNames.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"
#include "transfer/PortSettings.h"
#include "ui/common/FileDialogChooser.h"
#include "ui/common/MessageBoxInteraction.h"
#include "ui/common/WindowFitter.h"
#include "ui/help/HelpWindow.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MdiForm1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace zendrik {

namespace {

// Shown before any language is known, so it is not part of the text table.
const QString kUnknownManufacturer = QStringLiteral("unknown manufacturer");

UserInteraction& orOwn(UserInteraction* given, std::unique_ptr<UserInteraction>& own, const TextTable& texts)
{
    if (given)
        return *given;
    own = std::make_unique<MessageBoxInteraction>(texts);
    return *own;
}

FileChooser& orOwn(FileChooser* given, std::unique_ptr<FileChooser>& own)
{
    if (given)
        return *given;
    own = std::make_unique<FileDialogChooser>();
    return *own;
}

} // namespace

DesktopApp::DesktopApp(const QString& workDir, UserInteraction* ui, FileChooser* chooser, QObject* parent)
    : QObject(parent),
      workDir_(QDir(workDir).absolutePath()),
      ui_(orOwn(ui, ownUi_, texts_)),
      chooser_(orOwn(chooser, ownChooser_)),
      commands_(model_, ui_, chooser_),
      help_(new HelpController(HelpController::defaultRoot(), model_.device.Sprache, this))
{
    // Every window of the run opens within the screen room of the moment.
    qApp->installEventFilter(new WindowFitter([this](const QWidget* w) { return screenArea_(w); }, this));
}

DesktopApp::~DesktopApp()
{
    delete frame_;
    delete start_;
    QCoreApplication::removeTranslator(&qtTexts_);
}

FrmStartbild* DesktopApp::startScreen() const
{
    return start_;
}

MdiForm1* DesktopApp::mainFrame() const
{
    return frame_;
}

bool DesktopApp::start()
{
    // Program files are named relative to the working directory.
    QDir::setCurrent(workDir_);
    const QDir dir(workDir_);
    const int brand = ReadBrandFile(dir.filePath(kBrandFileName));
    if (brand == 0) {
        ui_.ask(Prompt::message(Icon::Critical, {kUnknownManufacturer}));
        return false;
    }
    model_.device.BrandIndex = brand;
    // A first start has no rule yet: the new program takes the language's.
    if (!ReadSettings(dir.filePath(kSettingsFileName), model_.device))
        model_.device.SwRegel = kSwRegelUnbekannt;
    ReadPortSettings(dir.filePath(kPortSettingsFileName), model_.device);
    ApplyStartValues(model_);
    SelectLanguage(texts_, model_.device.Sprache, brand, workDir_);
    useQtTexts();
    showStartScreen();
    return true;
}

void DesktopApp::showStartScreen()
{
    if (!start_) {
        start_ = new FrmStartbild(model_, texts_, workDir_);
        start_->setAttribute(Qt::WA_DeleteOnClose);
        connect(start_, &FrmStartbild::languageChosen, this, &DesktopApp::chooseLanguage);
        connect(start_, &FrmStartbild::furtherLanguageRequested, this, &DesktopApp::installFurtherLanguage);
        connect(start_, &FrmStartbild::confirmed, this, &DesktopApp::confirmStart);
    }
    start_->load();
    start_->show();
    start_->raise();
}

void DesktopApp::chooseLanguage(int sprache)
{
    model_.device.Sprache = sprache;
    SelectLanguage(texts_, sprache, model_.device.BrandIndex, workDir_);
    useQtTexts();
    start_->retranslate();
}

void DesktopApp::installFurtherLanguage()
{
    const QString file = chooser_.chooseTranslationFile();
    if (file.isEmpty())
        return;
    const TextFileResult result = InstallTranslation(texts_, model_.device.Sprache, file, workDir_);
    if (result.status != TextFileStatus::Ok)
        ui_.ask(TextFilePrompt(result, FileTitle(file)));
    useQtTexts();
    start_->retranslate();
}

void DesktopApp::confirmStart(int row)
{
    const QDir dir(workDir_);
    const TextFileResult language = SelectLanguage(texts_, model_.device.Sprache, model_.device.BrandIndex, workDir_);
    if (language.status != TextFileStatus::Ok)
        ui_.ask(TextFilePrompt(language, kSpeechFileName));
    // The installation's holidays in the chosen language name the movable priority times.
    holidays_ = FeiertagTabelle();
    // A file of a newer version is not read in part: the user is told why
    // its holidays are missing.
    const QString holidayFile = dir.filePath(texts_(TextId::HolidayFileName));
    if (holidays_.read(holidayFile) == FeiertagResult::NewerKind)
        ui_.ask(Prompt::message(Icon::Critical, {texts_(kFtNewerKind) + QLatin1Char(' ') + holidayFile}));
    StartNewProgram(model_, row, texts_(TextId::Unknown), NextFreeFileName(workDir_, texts_(TextId::FreeNamePrefix)));
    QString error;
    if (!WriteSettings(dir.filePath(kSettingsFileName), model_.device, &error))
        ui_.ask(Prompt::message(Icon::Critical,
                                {TextId::FileWord, dir.filePath(kSettingsFileName) + QStringLiteral(": ") + error}));

    frame_ = new MdiForm1(DesktopContext{model_, texts_, ui_, commands_, filter_, holidays_, assistant_, workDir_,
                                         transferOptions_, screenArea_});
    frame_->setAttribute(Qt::WA_DeleteOnClose);
    connect(frame_, &MdiForm1::newRequested, this, &DesktopApp::backToStart);
    connect(frame_, &MdiForm1::exitRequested, this, &DesktopApp::exitRequested);
    connect(frame_, &MdiForm1::helpRequested, help_, [this] { help_->showFor(nullptr); });
    frame_->show();
    if (start_)
        start_->close();

    offerRecovery();
    if (!pendingFile_.isEmpty()) {
        const QString path = pendingFile_;
        pendingFile_.clear();
        frame_->openFile(path);
    }
}

void DesktopApp::offerRecovery()
{
    // Once per run: the copy of a program not saved when the last run ended.
    if (recoveryOffered_)
        return;
    recoveryOffered_ = true;
    const RecoveryFinding found = FindRecovery(workDir_);
    if (found.state != RecoveryState::Offer)
        return;
    if (ui_.ask(RecoveryQuestion(found.image, texts_)) == Answer::Yes)
        frame_->restoreRecovered(found.image);
    else
        RemoveRecoveryFile(workDir_);
}

void DesktopApp::backToStart()
{
    showStartScreen();
    if (frame_)
        frame_->leave();
}

void DesktopApp::useQtTexts()
{
    // The standard buttons of message boxes and file dialogs.
    QCoreApplication::removeTranslator(&qtTexts_);
    const int sprache = model_.device.Sprache;
    const QString code = sprache == kSpracheDeutsch ? QStringLiteral("de")
        : sprache == kSpracheFranzoesisch           ? QStringLiteral("fr")
                                                    : QStringLiteral("en");
    if (qtTexts_.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts_);
}

} // namespace zendrik
