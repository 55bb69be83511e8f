#pragma once

#include <QDialog>
#include <QPointer>

class QTextBrowser;

namespace zendrik {

class TextTable;

// The help: a window over the shipped HTML pages of the chosen language.
// F1 anywhere in the program, or the help menu's command, opens the page of
// the window that has the focus. The window stays open beside the program.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(QString helpRoot, QWidget* parent = nullptr);

    // Shows a page (by its name, without ".html") in the language given.
    void showPage(const QString& page, int sprache);
    QString currentPage() const;
    QTextBrowser* browser() const { return browser_; }

private:
    QString root_;
    QTextBrowser* browser_;
};

// Catches F1 in every window of the program and opens that window's page.
class HelpController : public QObject {
    Q_OBJECT
public:
    HelpController(QString helpRoot, const int& sprache, QObject* parent);
    ~HelpController() override;

    // The page of the window that is active now (or of `window`).
    void showFor(const QWidget* window);
    HelpWindow* window() const { return window_; }

    // Where the help pages are: beside the installed program's data, or in
    // the source tree of a build.
    static QString defaultRoot();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString root_;
    const int& sprache_;
    QPointer<HelpWindow> window_;
};

} // namespace zendrik
