#pragma once

#include "language/TextId.h"

#include <QString>

#include <array>

namespace zendrik {

// Caption of every message box and the name in the help menu.
inline const QString kAppTitel = QStringLiteral("Zendrik");

// The user-interface texts of the current language: every caption, menu
// entry, column heading, message and default file name comes from here.
class TextTable {
public:
    TextTable();

    const QString& text(TextId id) const { return texts_[static_cast<std::size_t>(id)]; }
    const QString& operator()(TextId id) const { return text(id); }
    void set(TextId id, const QString& value) { texts_[static_cast<std::size_t>(id)] = value; }

    const QString& version() const { return version_; }

    void LoadGerman(int brandIndex = 1);

private:
    std::array<QString, kTextCount> texts_;
    QString version_;
};

} // namespace zendrik
