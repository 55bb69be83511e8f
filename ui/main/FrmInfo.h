#pragma once

#include <QDialog>

namespace zendrik {

class ProgramModel;
class TextTable;

// The information screen: the brand's picture, the version and the device
// type in use.
class FrmInfo : public QDialog {
    Q_OBJECT
public:
    FrmInfo(const ProgramModel& model, const TextTable& texts, QWidget* parent = nullptr);
};

} // namespace zendrik
