#include "ui/main/FrmInfo.h"

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "ui/common/Icons.h"
#include "util/Version.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendrik {

namespace {
constexpr ExtraText kProgramVersionLabel{"Programmversion", "Program version", "Version du programme"};
} // namespace

FrmInfo::FrmInfo(const ProgramModel& model, const TextTable& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(texts(TextId::Info));

    auto* banner = new QLabel(this);
    banner->setPixmap(Icons::Banner(kAppTitel, texts.version(), QSize(440, 130)));
    auto* device = new QLabel(texts(TextId::DeviceType) + QStringLiteral(": ") + model.device.Geraetename, this);
    // The program's own version beside the text table's version line in the banner.
    auto* version = new QLabel(texts(kProgramVersionLabel) + QStringLiteral(" ") + QString::fromLatin1(kProgramVersion),
                               this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* ok = new QPushButton(texts(TextId::Ok), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(banner);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 0);
    body->addWidget(device);
    body->addWidget(version);
    body->addWidget(ok, 0, Qt::AlignRight);
    layout->addLayout(body);
}

} // namespace zendrik
