#pragma once

#include <QString>

class QWidget;

namespace zendrik {

class TextTable;

// Where the site commands get file names and the name of a new site from.
// The desktop shows file dialogs starting in the working directory (where
// `make run` puts the sample site); tests hand over prepared answers. An
// empty answer means the user chose nothing.
class SiteChooser {
public:
    virtual ~SiteChooser() = default;
    virtual QString siteToOpen(const QString& dir) = 0;
    virtual QString siteToCreate(const QString& dir) = 0;
    virtual QString siteName(const QString& suggested) = 0;
    // A folder to read the devices' programs into.
    virtual QString folder(const QString& dir) = 0;
    virtual QString pdfToSave(const QString& suggested) = 0;
    // A device's program file for a new device.
    virtual QString programFile(const QString& dir) = 0;
};

// The platform's file dialogs, parented to `parent`.
class SiteDialogChooser : public SiteChooser {
public:
    SiteDialogChooser(QWidget* parent, const TextTable& texts) : parent_(parent), texts_(texts) { }
    QString siteToOpen(const QString& dir) override;
    QString siteToCreate(const QString& dir) override;
    QString siteName(const QString& suggested) override;
    QString folder(const QString& dir) override;
    QString pdfToSave(const QString& suggested) override;
    QString programFile(const QString& dir) override;

private:
    QWidget* parent_;
    const TextTable& texts_;
};

} // namespace zendrik
