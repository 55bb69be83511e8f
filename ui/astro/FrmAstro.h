#pragma once

#include "calendar/AstroEingabe.h"
#include "calendar/AstroScrollBars.h"
#include "calendar/PlaceList.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// The year chart beside the controls (painted by the shared renderer).
class AstroCurveView : public QWidget {
    Q_OBJECT
public:
    explicit AstroCurveView(QWidget* parent = nullptr);
    void show(const AstroPreview& preview, int morning, int evening, const QString& title);
    QSize sizeHint() const override { return {420, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AstroPreview preview_;
    int morning_ = 0;
    int evening_ = 1439;
    QString title_;
};

// "Eingabe der astronomischen Daten" (frmastro): the location by scroll
// bars, typed numbers or a place of the language's place file, the offsets
// and the limits (each by its bar or a typed field beside it) of one astro
// channel, and the two switching states the device keeps (shown only). While any
// control moves, today's switching times and the year chart follow. OK
// stores the astro program of the channel; "Beenden" leaves the program as
// it was.
class FrmAstro : public QDialog {
    Q_OBJECT
public:
    FrmAstro(ProgramModel& model, const TextTable& texts, UserInteraction& ui, const QString& workDir, int channel,
             QWidget* parent = nullptr);

    // Asks for the name of a new place ("Name des Ortes ?"); empty when the
    // user cancelled. Tests answer it themselves.
    std::function<std::optional<QString>(const QString& question)> askPlaceName;

    const AstroBars& bars() const { return bars_; }
    const PlaceList& places() const { return places_; }

private:
    QScrollBar* addBar(const char* name, const BarRange& range, int pageStep);
    void fromBars();
    void barMoved();
    void typed();
    // A typed offset or limit: moves its bar, or refuses the text (beep,
    // red frame, the field's range hint); OK then puts the focus in it.
    bool commitField(QLineEdit* field);
    bool commitFields();
    void showRefusal(QLineEdit* field, bool refused);
    void placeChosen(int index);
    void addPlace();
    void deletePlace();
    void fillPlaces();
    void accept() override;
    QString placeFile() const;
    void message(const QString& text);

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;
    QString workDir_;
    int channel_;
    AstroBars bars_;
    PlaceList places_;
    bool updating_ = false;

    QScrollBar* vsbLaenge_;
    QScrollBar* vsbBreite_;
    QScrollBar* vsbZone_;
    QScrollBar* vsbOffsetAuf_;
    QScrollBar* vsbOffsetUnter_;
    QScrollBar* hsbMorning_;
    QScrollBar* hsbEvening_;
    QLabel* lblLaenge_;
    QLabel* lblBreite_;
    QLabel* lblZone_;
    QLabel* lblOffsetAuf_;
    QLabel* lblOffsetUnter_;
    QLabel* lblMorning_;
    QLabel* lblEvening_;
    QDoubleSpinBox* txtLaenge_;
    QDoubleSpinBox* txtBreite_;
    QDoubleSpinBox* txtZone_;
    QLineEdit* txtOffsetAuf_;
    QLineEdit* txtOffsetUnter_;
    QLineEdit* txtMorning_;
    QLineEdit* txtEvening_;
    QLabel* lblHinweis_;
    QRadioButton* optAufEin_;
    QRadioButton* optAufAus_;
    QRadioButton* optUnterEin_;
    QRadioButton* optUnterAus_;
    QComboBox* cboOrt_;
    QLabel* lblHeute_;
    AstroCurveView* curve_;
};

} // namespace zendrik
