#pragma once

#include "editing/EntryResult.h"
#include "ui/common/MnemonicSet.h"
#include "ui/entry/EntryContext.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QSpinBox;
class QTimer;

namespace zendrik {

class EntryBox;
class EntrySession;
class LastEntryView;
struct ChannelChoice;
struct EntryOutcome;

// What the switching-time and the priority-time dialog share: channels and
// state, the assistant box with its step and settings buttons, the
// last-entry panel with its browse images, the check-mark flash, and OK, OK
// for all and close. Every button copies the widgets into the session's
// fields, makes one call on the session and shows what comes back; the
// rules live in the session.
class EntryDialog : public QDialog {
    Q_OBJECT
public:
    // Whether the dialog may be shown: a full memory or no marked entry row
    // keeps it from opening.
    OpenResult check() const;

signals:
    // An OK stored an entry or overwrote one: the list may show it.
    void stored();
    // OK for all began (true) or ended (false): its entries are one change.
    void okForAllRunning(bool running);

protected:
    struct ControlNames {
        const char* form;
        const char* ok;
        const char* close;
        const char* okImage;
    };

    // What the derived dialog hands over when its fields are built.
    struct Parts {
        EntrySession& session;
        ChannelChoice& channels;
        int& state;
        // The field groups of the upper row, left to right; the state group follows them.
        QList<QGroupBox*> upperRow;
        // The field group of the lower row; the channels follow it.
        QWidget* lowerRow;
    };

    EntryDialog(const EntryContext& ctx, const ControlNames& names, QWidget* parent);

    // Takes the typed text of the boxes into the fields; false when a box
    // refused its text (it has beeped and holds the focus).
    virtual bool commitFields() = 0;
    // Shows the fields of the dialog's own part.
    virtual void showFields() = 0;
    virtual QWidget* firstField() const = 0;

    // A text box with its list, captioned with an Alt-key letter; while it
    // refuses its text the dialog's status line shows `rangeHint`.
    EntryBox* entryBox(const char* boxName, const char* listName, const QStringList& items, const QString& caption,
                       std::function<std::optional<int>(const QString&)> parse, const QString& rangeHint);
    // A titled group of fields that keeps its place while hidden.
    QGroupBox* fieldGroup(const QString& title);

    // The channel boxes (or the channel combo) and the state button, in tab order.
    QList<QWidget*> channelAndStateControls() const;
    // Lays the derived dialog's field groups out with the channels and the
    // state above the shared part, sets the captions and the title, and
    // shows the fields. Call last in the derived constructor.
    void finish(const Parts& parts);
    // Shows every field again (after OK, a step, a row change).
    void showAll();
    void done(int result) override;

    const EntryContext ctx_;
    MnemonicSet mnemonics_;

private:
    void buildChannels();
    void buildState();
    void showChannels();
    void showState();
    bool commitAll();
    void pressOk();
    void pressOkForAll();
    void tick();
    void handle(const EntryOutcome& outcome);
    void assistantStep();
    void openSettings();
    void browse(int direction);
    void showPanel();
    void focusFirst();

    ControlNames names_;
    EntrySession* session_ = nullptr;
    ChannelChoice* channels_ = nullptr;
    int* state_ = nullptr;
    QGroupBox* fraKanal_ = nullptr;
    QList<QCheckBox*> chkKan_;
    QComboBox* cboKanal_ = nullptr;
    QGroupBox* fraZustand_ = nullptr;
    QPushButton* cmdEinAus_ = nullptr;
    QSpinBox* txtWert_ = nullptr;
    QGroupBox* fraAuto_;
    QCheckBox* chkautopil_;
    QPushButton* Cmd1xauto_;
    QPushButton* cmdneuassi_;
    LastEntryView* panel_;
    QLabel* imgok_;
    // The status line: why a box refuses its text.
    QLabel* lblHinweis_;
    const EntryBox* hintFrom_ = nullptr;
    QPushButton* cmdOk_;
    QPushButton* Cmdalleok_;
    QPushButton* cmdEnd_;
    QTimer* Tmalleok_;
    QTimer* Timer1_;
    bool closed_ = false;
};

} // namespace zendrik
