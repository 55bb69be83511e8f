#pragma once

#include "site/Site.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace zendrik {

class SiteChooser;
class TextTable;

// "Gerät hinzufügen": name, location, type, program file and link of a new
// device. OK asks `check` (the site's rules); a refusal is shown in the
// window and nothing is added.
class SiteDeviceDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<QString(const SiteDevice&)>;

    SiteDeviceDialog(const TextTable& texts, int brandIndex, const QString& siteFolder, SiteChooser& chooser,
                     Check check, QWidget* parent = nullptr);

    // The device as entered; its program is the path as chosen (absolute or
    // relative to the site's folder).
    SiteDevice device() const;

    void accept() override;

private:
    const TextTable& texts_;
    QString folder_;
    SiteChooser& chooser_;
    Check check_;
    QLineEdit* txtName_;
    QLineEdit* txtLocation_;
    QComboBox* cboType_;
    QLineEdit* txtProgram_;
    QComboBox* cboLink_;
    QStackedWidget* linkPages_;
    QLineEdit* txtAddress_;
    QLineEdit* txtConnection_;
    QLineEdit* txtPort_;
    QComboBox* cboIr_;
    QLabel* lblError_;
};

} // namespace zendrik
