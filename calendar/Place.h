#pragma once

#include <QString>

namespace zendrik {

// A place of the astro dialog's list ("Ort"). The place file keeps, for
// each bar, the bar's maximum minus its value, so a record can be read back
// into the three location scroll bars directly.
struct Place {
    QString name;
    int laengeStored = 0;
    int breiteStored = 0;
    int zoneStored = 0;

    bool operator==(const Place&) const = default;

    // Builds the record for a location given as stored astro settings
    // (degrees west positive and north positive, zone as the negative of
    // the displayed zone), rounded to the bars' steps.
    static Place fromLocation(const QString& name, float laenge, float breite, int zone);
    // Builds the record from the three scroll-bar values.
    static Place fromBars(const QString& name, int laengeBar, int breiteBar, int zoneBar);

    // Scroll-bar values of the record (value = maximum - stored number).
    int laengeBar() const;
    int breiteBar() const;
    int zoneBar() const;

    // The location the record stands for, as stored astro settings.
    float laenge() const;
    float breite() const;
    int zone() const;

    // Whether all three numbers lie within the parts of the bars the dialog
    // offers; a record outside would move a bar off its scale.
    bool isValid() const;
};

} // namespace zendrik
