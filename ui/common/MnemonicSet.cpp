#include "ui/common/MnemonicSet.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>

#include <functional>
#include <vector>

namespace zendrik {

namespace {

constexpr const char* kKeepCaptions = "keepCaptions";

bool kept(const QObject* o)
{
    return o->property(kKeepCaptions).toBool();
}

// One caption of a window and how to put it back.
struct Caption {
    QString text;
    std::function<void(const QString&)> set;
};

void assign(std::vector<Caption>& captions)
{
    QStringList texts;
    for (const Caption& c : captions)
        texts << c.text;
    const QStringList marked = AssignMnemonics(texts);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (marked[static_cast<qsizetype>(i)] != captions[i].text)
            captions[i].set(marked[static_cast<qsizetype>(i)]);
    }
}

} // namespace

void KeepCaptions(QObject* controlOrMenu)
{
    controlOrMenu->setProperty(kKeepCaptions, true);
}

void GiveMenuMnemonics(QMenu* menu)
{
    if (kept(menu))
        return;
    std::vector<Caption> captions;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        captions.push_back({a->text(), [a](const QString& t) { a->setText(t); }});
        if (QMenu* sub = a->menu())
            GiveMenuMnemonics(sub);
    }
    assign(captions);
    // Commands that change their text (undo, recent files) get letters again on opening.
    if (!menu->property("mnemonicsOnShow").toBool()) {
        menu->setProperty("mnemonicsOnShow", true);
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { GiveMenuMnemonics(menu); });
    }
}

void GiveMenuMnemonics(QMenuBar* bar)
{
    std::vector<Caption> captions;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        captions.push_back({a->text(), [a](const QString& t) { a->setText(t); }});
        if (QMenu* menu = a->menu())
            GiveMenuMnemonics(menu);
    }
    assign(captions);
}

void GiveMnemonics(QWidget* window)
{
    std::vector<Caption> captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Controls of windows of their own (a child dialog) are theirs.
        if (w->window() != window || kept(w))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (!b->text().isEmpty())
                captions.push_back({b->text(), [b](const QString& t) { b->setText(t); }});
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->isCheckable() && !g->title().isEmpty())
                captions.push_back({g->title(), [g](const QString& t) { g->setTitle(t); }});
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->buddy() && !l->text().isEmpty() && !Qt::mightBeRichText(l->text()))
                captions.push_back({l->text(), [l](const QString& t) { l->setText(t); }});
        }
    }
    assign(captions);
}

} // namespace zendrik
