#include "ui/help/HelpWindow.h"

#include "language/HelpPages.h"
#include "util/WorkDir.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zendrik {

HelpWindow::HelpWindow(QString helpRoot, QWidget* parent) : QDialog(parent), root_(std::move(helpRoot))
{
    setObjectName(QStringLiteral("frmHilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(640, 560);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHilfe"));
    browser_->setOpenExternalLinks(false);
    // The pages name their screenshots relative to themselves (../img/...);
    // the help folder as a search path finds them by the folder's names too.
    browser_->setSearchPaths({root_});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle()); });
}

void HelpWindow::showPage(const QString& page, int sprache)
{
    QString file = HelpFile(root_, sprache, page);
    // A page missing in a language is shown from the contents.
    if (!QFileInfo(file).isFile())
        file = HelpFile(root_, sprache, HelpPageOf(QString()));
    browser_->setSource(QUrl::fromLocalFile(file));
}

QString HelpWindow::currentPage() const
{
    return QFileInfo(browser_->source().toLocalFile()).completeBaseName();
}

HelpController::HelpController(QString helpRoot, const int& sprache, QObject* parent)
    : QObject(parent), root_(std::move(helpRoot)), sprache_(sprache)
{
    qApp->installEventFilter(this);
}

HelpController::~HelpController()
{
    qApp->removeEventFilter(this);
    delete window_;
}

QString HelpController::defaultRoot()
{
    const QString shipped = ShippedDataDir(QCoreApplication::applicationDirPath());
    return shipped.isEmpty() ? QStringLiteral(ZENDRIK_SOURCE_DATA "/help") : shipped + QStringLiteral("/help");
}

void HelpController::showFor(const QWidget* window)
{
    // The help command of a window: the widget with the focus names the
    // page (a dock within the main frame has one of its own).
    if (!window) {
        window = QApplication::focusWidget();
        if (!window || window->window() != QApplication::activeWindow())
            window = QApplication::activeWindow();
    }
    QString page = HelpPageOf(QString());
    // The first window up the chain that has a page of its own.
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        const QString p = HelpPageOf(w->objectName());
        if (p != HelpPageOf(QString()) || w->objectName() == QLatin1String("frmHilfe")) {
            page = w->objectName() == QLatin1String("frmHilfe") && window_ ? window_->currentPage() : p;
            break;
        }
    }
    if (!window_)
        window_ = new HelpWindow(root_);
    window_->showPage(page, sprache_);
    window_->show();
    window_->raise();
}

bool HelpController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        // From the widget up: a dock within the main frame has a page of its own.
        showFor(static_cast<QWidget*>(watched));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zendrik
