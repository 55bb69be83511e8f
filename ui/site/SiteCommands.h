#pragma once

#include "site/Site.h"
#include "site/SiteChange.h"
#include "site/SiteChecks.h"
#include "ui/frame/DesktopContext.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

namespace zendrik {

class FrameServices;
class MainMenu;
class SiteChangeDialog;
class SiteChooser;
class SiteDock;
class SiteFindingsWindow;
class SiteRunWindow;

// The building site in the main frame: "Anlage öffnen..." and "Anlage
// neu..." (file menu) show the site in a dock beside the list. A double
// click on a device opens its program as the program being edited (saved
// into its own file); the dock's commands check the site, write or read its
// devices, change many programs at once, save the hand-over record and add
// devices.
class SiteCommands : public QObject {
    Q_OBJECT
public:
    SiteCommands(DesktopContext& ctx, FrameServices& frame);
    ~SiteCommands() override;

    void addCommands(MainMenu& menu);
    // Where file names come from (tests hand over their own).
    void setChooser(SiteChooser* chooser) { chooser_ = chooser; }

    void openSite();
    void newSite();
    bool openSiteFile(const QString& path);
    // Opens a device's program as the program being edited.
    bool openDevice(int index);
    void check();
    void write();
    void read();
    void change();
    void handover();
    void addDevice();
    void retranslate();

    SiteDock* dock() const { return dock_; }
    const std::optional<Site>& site() const { return site_; }
    // The windows while they are open, else null.
    SiteRunWindow* runWindow() const;
    SiteChangeDialog* changeDialog() const;
    SiteFindingsWindow* findingsWindow() const;

signals:
    // The dock's help button: the frame shows the help of the widget with the focus.
    void helpRequested();

private:
    void showDock();
    void refresh();
    void message(const QString& text);
    QString siteFolder() const;
    // The device whose program is the one being edited, empty when none.
    QString openDeviceName() const;
    void startRun(SiteDirection direction, const QString& outDir);
    // The dialog's change with the holidays of its set from the installation's
    // holiday table (the one the holiday dialog edits) and its place record.
    SiteChange changeOfDialog() const;
    void previewChange();
    void applyChange();
    QString refuseDevice(const SiteDevice& device) const;

    DesktopContext& ctx_;
    FrameServices& frame_;
    std::unique_ptr<SiteChooser> ownChooser_;
    SiteChooser* chooser_;
    std::optional<Site> site_;
    std::vector<SiteDeviceCheck> checks_;
    SiteDock* dock_ = nullptr;
    QPointer<SiteRunWindow> run_;
    QPointer<SiteChangeDialog> change_;
    QPointer<SiteFindingsWindow> findings_;
};

} // namespace zendrik
