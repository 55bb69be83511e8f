#pragma once

#include <QObject>

#include <functional>

namespace zendrik {

class UserInteraction;

// Drops the typed characters a field does not take and beeps, as the
// program's text fields do. Keys without a character (backspace, cursor
// keys, Tab) always pass.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Rule = std::function<bool(QChar)>;

    KeyFilter(Rule accepts, UserInteraction& ui, QObject* parent);

    void setRule(Rule accepts) { accepts_ = std::move(accepts); }
    // Called after the beep of a dropped character (the field shows why).
    void setOnRefused(std::function<void()> onRefused) { onRefused_ = std::move(onRefused); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Rule accepts_;
    UserInteraction& ui_;
    std::function<void()> onRefused_;
};

} // namespace zendrik
