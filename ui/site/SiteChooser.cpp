#include "ui/site/SiteChooser.h"

#include "language/TextTable.h"
#include "ui/site/SiteWindowTexts.h"

#include <QFileDialog>
#include <QInputDialog>

namespace zendrik {

namespace T = sitewindowtexts;

namespace {
// A menu caption as a window title: without its Alt key marker.
QString Title(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}
} // namespace

QString SiteDialogChooser::siteToOpen(const QString& dir)
{
    return QFileDialog::getOpenFileName(parent_, Title(texts_(T::kMenuOpenSite)), dir, texts_(T::kSiteFilter));
}

QString SiteDialogChooser::siteToCreate(const QString& dir)
{
    // The command refuses an existing site itself, naming it.
    return QFileDialog::getSaveFileName(parent_, Title(texts_(T::kMenuNewSite)), dir, texts_(T::kSiteFilter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString SiteDialogChooser::siteName(const QString& suggested)
{
    bool ok = false;
    const QString name = QInputDialog::getText(parent_, Title(texts_(T::kMenuNewSite)), texts_(T::kNewSiteName),
                                               QLineEdit::Normal, suggested, &ok);
    return ok ? name.trimmed() : QString();
}

QString SiteDialogChooser::folder(const QString& dir)
{
    return QFileDialog::getExistingDirectory(parent_, texts_(T::kReadTitle), dir);
}

QString SiteDialogChooser::pdfToSave(const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent_, texts_(T::kButtonHandover), suggested, texts_(T::kPdfFilter));
}

QString SiteDialogChooser::programFile(const QString& dir)
{
    return QFileDialog::getOpenFileName(parent_, texts_(T::kDeviceProgram), dir, texts_(T::kProgramFilter));
}

} // namespace zendrik
