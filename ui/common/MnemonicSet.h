#pragma once

#include <QSet>
#include <QString>

namespace zendrik {

// Gives the captions of one window their Alt-key letters. The text table
// holds most captions without one, so each caption gets the first letter
// that no earlier caption of the window took; a caption that brings its own
// ("&Neu") keeps it. Ampersands that are part of a text are escaped.
class MnemonicSet {
public:
    QString mark(const QString& text);

private:
    QSet<QChar> used_;
};

} // namespace zendrik
