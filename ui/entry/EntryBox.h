#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace zendrik {

class KeyFilter;
class TextTable;
class UserInteraction;

// A text box with its list under it (txtAnzstd with liststd, ...): the user
// types a number or picks a list item. Typing takes digits and backspace
// only. Leaving the box, pressing OK or stepping with the cursor keys checks
// the text: a value the box refuses beeps and keeps the focus in the box; a
// valid one selects its list item, shows the item's text and is reported as
// chosen, as a click on the item is.
//
// A beep alone is easily missed (many machines play none): a refused text
// or key also frames the box in red and reports the box's range hint, until
// the text in the box is valid again.
class EntryBox : public QWidget {
    Q_OBJECT
public:
    // The list row a text names, or nothing when the box refuses it.
    using Parser = std::function<std::optional<int>(const QString&)>;

    EntryBox(const QString& boxName, const QString& listName, const QStringList& items, Parser parse,
             UserInteraction& ui, QWidget* parent = nullptr);

    // Numbers first..last as the rows 0.. of the list.
    static Parser numberRows(int first, int last);
    // Months 1..12 or their names as the rows 0..11.
    static Parser monthRows(const TextTable& texts);

    void setCaption(const QString& caption);
    // Lets the box take letters as well (a month name).
    void acceptMonthNames();
    // What the box takes, in words ("Stunden: eine Zahl von 0 bis 23").
    void setRangeHint(const QString& hint) { hint_ = hint; }
    const QString& rangeHint() const { return hint_; }
    // Whether the box shows a refusal (red frame) now.
    bool refusing() const { return refusing_; }
    // The row an empty box stands for; -1 (the default) keeps it empty.
    void setEmptyRow(int row) { emptyRow_ = row; }

    QLabel* label() const { return label_; }
    QLineEdit* box() const { return box_; }
    QListWidget* list() const { return list_; }

    // Shows a row's item in the box and selects it; -1 empties both.
    void showRow(int row);
    int shownRow() const { return shownRow_; }
    // Takes the typed text: false (after a beep, with the focus back in the
    // box) when it is refused; a changed value is reported as chosen.
    bool commit();

signals:
    // A row was chosen by typing or in the list; -1 when the box was emptied.
    void chosen(int row);
    // The box refused a text or a key (with its range hint), or its text is
    // valid again (an empty hint).
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<int> typedRow() const;
    void choose(int row);
    void refuse();
    void showRefusal(bool on);
    void step(int direction);

    QStringList items_;
    Parser parse_;
    UserInteraction& ui_;
    KeyFilter* keys_;
    QLabel* label_;
    QLineEdit* box_;
    QListWidget* list_;
    QString hint_;
    bool refusing_ = false;
    // A refusal was shown and the text not taken since.
    bool checking_ = false;
    int emptyRow_ = -1;
    int shownRow_ = -1;
    bool showing_ = false;
};

} // namespace zendrik
