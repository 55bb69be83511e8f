#pragma once

#include "site/SiteChange.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

namespace zendrik {

class TextTable;

// "Mehrere Programme ändern": the kind of change and its values, then a
// preview per device with a tick to leave a device out, then Apply. The
// dialog only collects; the site commands compute the preview and apply.
class SiteChangeDialog : public QDialog {
    Q_OBJECT
public:
    // `holidaySets`, `zones` and `places` fill the choices (each may be typed too).
    SiteChangeDialog(const TextTable& texts, const QStringList& holidaySets, const QStringList& zones,
                     const QStringList& places, int year, QWidget* parent = nullptr);

    SiteChange change() const;
    // Shows what the change does to each device; devices it fits are ticked.
    void showPreview(const std::vector<SiteChangePreview>& previews, const QString& openDevice);
    // The devices still ticked in the preview.
    QStringList tickedDevices() const;
    void showApplied(const std::vector<SiteChangePreview>& done, int changed);
    QTreeWidget* preview() const { return list_; }

signals:
    void previewRequested();
    void applyRequested();

private:
    const TextTable& texts_;
    QComboBox* cboKind_;
    QStackedWidget* pages_;
    QComboBox* cboSet_;
    QSpinBox* spnFrom_;
    QSpinBox* spnTo_;
    QComboBox* cboRule_;
    QComboBox* cboZone_;
    QSpinBox* spnFirstYear_;
    QComboBox* cboPlace_;
    QLineEdit* txtEntry_;
    QLabel* lblEntry2_;
    QLineEdit* txtEntry2_;
    QTreeWidget* list_;
    QLabel* lblResult_;
    QPushButton* cmdPreview_;
    QPushButton* cmdApply_;
};

} // namespace zendrik
