#pragma once

#include "app/FileChooser.h"
#include "language/Prompt.h"
#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/frame/MainMenu.h"
#include "ui/common/MnemonicSet.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/DesktopApp.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MdiForm1.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// Readable texts in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zendrik::test {

using namespace Qt::StringLiterals;

// File names handed to the program instead of file dialogs.
class ScriptedChooser : public FileChooser {
public:
    QString open, save, translation;
    QString suggested; // the name the last save dialog offered
    int asked = 0;

    QString chooseOpenFile() override { return ++asked, open; }
    QString chooseSaveFile(const QString& current) override { return ++asked, suggested = current, save; }
    QString chooseTranslationFile() override { return ++asked, translation; }
};

// Questions answered as the test said (OK or Cancel otherwise), beeps
// counted. Questions of our own texts only (no text-table entry) are keyed by their first text's German wording.
class AnsweringInteraction : public ScriptedInteraction {
public:
    explicit AnsweringInteraction(const std::map<TextId, Answer>& answers,
                                  const std::map<QString, Answer>* ownAnswers = nullptr)
        : ScriptedInteraction([&answers, ownAnswers](const Prompt& p) {
              if (ownAnswers && p.key() == TextId::Count && !p.parts.empty())
                  if (const auto* own = std::get_if<ExtraText>(&p.parts.front()))
                      if (const auto found = ownAnswers->find(QString::fromUtf8(own->de)); found != ownAnswers->end()) return found->second;
              const auto it = answers.find(p.key());
              return it != answers.end() ? it->second : p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
          }) {}
    void beep() override { ++beeps; }
    int beeps = 0;
};

// The program file a model writes at a fixed time, so that two images differ only where the programs do.
QByteArray SavedImage(const ProgramModel& model);

// A working directory prepared as `make run` prepares one (brand file and
// samples), a desktop application on it whose message boxes are answered by the test, and helpers to drive the windows.
class DesktopFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { app_.reset(), QApplication::processEvents(); }

    bool startApp(); // Starts the program: brand and settings files, then the start screen.
    void startWith(int row, int sprache = 1); // Starts and confirms the start screen with the device type named.
    // Ends the running program and starts again with that device type.
    void restart(int row, int sprache = 1) { app_.reset(), startWith(row, sprache); }
    QString copySample(const QString& name); // Copies a shipped sample into the working directory; returns its path.
    // Copies a shipped sample and opens it with the menu command.
    QString openSample(const QString& name, const char* command = "mnuDatÖff") { return chooser_.open = copySample(name), trigger(command), chooser_.open; }

    // The answer to the next questions whose first text is `key`.
    void answer(TextId key, Answer a) { answers_[key] = a; }
    void answer(const ExtraText& key, Answer a) { ownAnswers_[QString::fromUtf8(key.de)] = a; }
    const std::vector<Prompt>& asked() const { return interaction_.asked(); }
    std::vector<QString> messages() const; // The rendered texts of every message shown so far.

    // The working directory the program runs in (a fresh temporary one).
    virtual QString workDir() const { return dir_.path(); }
    QString work(const QString& name) const { return QDir(workDir()).filePath(name); }
    static QString shipped(const QString& relative) { return QStringLiteral(ZENDRIK_SHIPPED_DATA "/") + relative; }

    ProgramModel& model() { return app_->model(); }
    QWidget* startScreen() const { return app_ ? app_->startScreen() : nullptr; }
    MdiForm1* frame() const { return app_ ? app_->mainFrame() : nullptr; }
    FrmHauptmenue& list() const { return frame()->listWindow(); }
    QTableView* grid() const { return list().grid(); }
    QAction* action(const char* objectName) const { return frame()->menu().action(QString::fromUtf8(objectName)); }
    void trigger(const char* objectName);
    // The child of `parent` with that objectName. A missing one ends the test with its name (gtest reports the exception as a failure).
    template <typename T = QWidget>
    static T* child(const QObject* parent, const char* name)
    {
        T* c = parent ? parent->findChild<T*>(QString::fromUtf8(name)) : nullptr;
        return c ? c : throw std::runtime_error(std::string("no widget ") + name);
    }
    static void click(const QObject* parent, const char* button) { child<QAbstractButton>(parent, button)->click(); }
    // A mouse click on the button, as the user gives it.
    static void press(const QObject* parent, const char* button) { QTest::mouseClick(child<QAbstractButton>(parent, button), Qt::LeftButton); }
    // The text a widget of the main window shows (a box, a label, a button).
    QString shown(const char* name) const { return child(frame(), name)->property("text").toString(); }
    static void typeAndLeave(QLineEdit* box, const QString& text); // Types into a box and leaves it with Return, as a user does.
    void typeAndLeave(const char* name, const QString& text) { typeAndLeave(child<QLineEdit>(frame(), name), text); }
    QString status() const { return frame()->statusBar()->currentMessage(); }
    // The open dialog of that class, once windows closed by the last command are gone.
    template <typename Dialog>
    Dialog* dialog() const
    {
        settle();
        return frame()->findChild<Dialog*>();
    }
    // The dialog a command opens; none ends the test.
    template <typename Dialog>
    Dialog* open(const char* command)
    {
        trigger(command);
        Dialog* d = dialog<Dialog>();
        return d ? d : throw std::runtime_error(std::string(command) + " opened no dialog");
    }
    static QStringList items(const QComboBox* combo); // The texts of a combo box's or a list's items.
    static QStringList items(const QListWidget* list);
    // A double click on a cell of the main list (0-based), as the platform delivers it: press, release, double click, release.
    void doubleClickCell(int row, int column) const;
    void markRows(int first, int last) const; // Marks rows `first` to `last` (1-based) of the main list.
    // Deletes rows `first` to `last` (1-based) of the main list, confirmed.
    void deleteRows(int first, int last) { answer(TextId::ReallyDelete, Answer::Ok), markRows(first, last), trigger("mnuBalö"); }
    int asks(const ExtraText& question) const; // How often a question of our own text was asked; the comparison after a read offered.
    int offers() const { return asks(checkwindowtexts::kOfferCompare); }
    QStringList gridText() const; // The main list as text: the heading row, then every item row, cells joined by TAB.
    // Lets windows closed by the last command go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete), QApplication::processEvents(); }

    QTemporaryDir dir_;
    // The screen room handed to the program: a desktop with room for the main window's own size unless a test asks for a smaller screen.
    QRect screenArea_{0, 0, 1600, 1000};
    std::map<TextId, Answer> answers_;
    std::map<QString, Answer> ownAnswers_;
    AnsweringInteraction interaction_{answers_, &ownAnswers_};
    ScriptedChooser chooser_;
    std::unique_ptr<DesktopApp> app_;
    TextTable german_;
};

} // namespace zendrik::test
