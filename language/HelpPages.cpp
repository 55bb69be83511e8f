#include "language/HelpPages.h"

#include <QDir>

#include <utility>

namespace zendrik {

namespace {

// Window object names and their pages. Windows that share a page (the main
// frame and its list) name the same one.
constexpr std::pair<const char*, const char*> kWindowPages[] = {
    {"frmstartbild", "start-screen"},
    {"MDIForm1", "main-window"},
    {"frmHauptmenue", "main-window"},
    {"frmEingSz", "switching-times"},
    {"frmEingPZ", "priority-times"},
    {"frmAutoEinst", "edit-assistant"},
    {"frmfilter", "filter"},
    {"frmfeiertage", "holidays"},
    {"frmEinSW", "dst-table"},
    {"frmastro", "astro"},
    {"frm_change_grid_data", "astro-cell"},
    {"frmGerätEinst", "device-properties"},
    {"frmDruck", "print"},
    {"FRM_SERIEL_IO", "chip-transfer"},
    {"FrmBusaccess", "bus-access"},
    {"FrmSchnittstellen", "bus-access"},
    {"FrmGrafik", "simulation"},
    {"dlgKalender", "simulation"},
    {"frmInfo", "info"},
    {"frmIRAccess", "infrared"},
    {"FrmMaster", "master-card"},
    {"dockPruefung", "program-check"},
    {"frmVergleich", "comparison"},
    {"dockAnlage", "site"},
    {"frmAnlageLauf", "site"},
    {"frmAnlageAendern", "site"},
    {"frmAnlageGeraet", "site"},
    {"frmAnlagePruefung", "site"},
};

constexpr const char* kContents = "index";

// Pages no window opens by itself; other pages link them.
constexpr const char* kFurtherPages[] = {"simulation-rules"};

} // namespace

QString HelpPageOf(const QString& windowName)
{
    for (const auto& [window, page] : kWindowPages)
        if (windowName == QString::fromUtf8(window))
            return QString::fromLatin1(page);
    return QString::fromLatin1(kContents);
}

QStringList HelpPages()
{
    QStringList pages{QString::fromLatin1(kContents)};
    for (const auto& entry : kWindowPages)
        if (!pages.contains(QString::fromLatin1(entry.second)))
            pages.append(QString::fromLatin1(entry.second));
    for (const char* page : kFurtherPages)
        pages.append(QString::fromLatin1(page));
    return pages;
}

QString HelpLanguage(int sprache)
{
    switch (sprache) {
    case 1:
        return QStringLiteral("de");
    case 3:
        return QStringLiteral("fr");
    default:
        return QStringLiteral("en");
    }
}

QString HelpFile(const QString& helpRoot, int sprache, const QString& page)
{
    return QDir(helpRoot).filePath(HelpLanguage(sprache) + QLatin1Char('/') + page + QStringLiteral(".html"));
}

} // namespace zendrik
