#pragma once

#include <QString>
#include <QStringList>

namespace zendrik {

// The help: one HTML page per window in each shipped language, in
// <help folder>/<de|en|fr>/<page>.html. A further language from a
// translation file reads the English pages.

// The page of a window, by the window's object name; the contents page for
// any window without one of its own.
QString HelpPageOf(const QString& windowName);
// Every page the help has (without the ".html").
QStringList HelpPages();
// The language folder for the program's language (1 German, 2 English,
// 3 French, anything else English).
QString HelpLanguage(int sprache);
// The file of a page in a language.
QString HelpFile(const QString& helpRoot, int sprache, const QString& page);

} // namespace zendrik
