#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace zendrik {

// Gives the captions of one window their Alt-key letters. The text table
// holds most captions without one, so each caption gets the first letter
// that no earlier caption of the window took; a caption that brings its own
// ("&Neu") keeps it while no earlier caption took that letter, and otherwise
// gets a free one like the rest. A caption none of whose letters is free
// gets a free digit in brackets ("Ok (&1)"). Ampersands that are part of a
// text are escaped.
class MnemonicSet {
public:
    QString mark(const QString& text);
    // Takes the caption's own letter if it is still free; false (taking
    // nothing) when it has none or the letter is taken.
    bool reserve(const QString& text);

private:
    QSet<QChar> used_;
};

// The letter after a caption's single '&', lower case; a null char when it has none.
QChar OwnMnemonic(const QString& text);
// The caption without its own Alt-key letter ("&Datei" gives "Datei"; "A && B" stays).
QString WithoutMnemonic(const QString& text);

// Alt-key letters for captions shown side by side (the menus of a bar, the
// commands of a menu, the controls of a dialog): the captions' own letters
// first, in order, then a free letter (or digit) for each of the others.
QStringList AssignMnemonics(const QStringList& captions);

} // namespace zendrik
