#include "ui/transfer/FrmSerielIo.h"

#include "language/TextTable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zendrik {

FrmSerielIo::FrmSerielIo(const TextTable& texts, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), texts_(texts)
{
    setObjectName(QStringLiteral("FRM_SERIEL_IO"));
    setWindowTitle(texts_(TextId::SerialTransferTitle));
    setWindowModality(Qt::ApplicationModal);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lbl_seriell_io"));
    label_->setMinimumWidth(420);
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("ggefortschritt"));
    gauge_->setRange(0, 1);
    gauge_->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(label_);
    layout->addWidget(gauge_);
}

void FrmSerielIo::transferStarted()
{
    running_ = true;
    label_->clear();
    gauge_->setValue(0);
    show();
    raise();
}

void FrmSerielIo::labelChanged(const Prompt& label)
{
    label_->setText(label.render(texts_));
    QApplication::processEvents();
}

void FrmSerielIo::progressChanged(int value, int maximum)
{
    gauge_->setRange(0, maximum);
    gauge_->setValue(value);
    // While the adapter answers without delay the transfer never waits
    // long enough to call waiting(); every block lets the window paint.
    QApplication::processEvents();
}

void FrmSerielIo::waiting()
{
    // Repaints, timers and the input of the other windows, which the
    // modality turns away, so no command can start meanwhile.
    QApplication::processEvents();
}

void FrmSerielIo::transferEnded()
{
    running_ = false;
    hide();
}

void FrmSerielIo::closeEvent(QCloseEvent* event)
{
    if (running_)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace zendrik
