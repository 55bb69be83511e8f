#pragma once

namespace zendrik {

// The device options a program carries in its image header (bytes 1..3,
// the meter-pulse bytes, the astro channel choice and the master bits).
// They belong to the program: an undo step and the recovery copy keep them
// with the entries, while the device type and the PC-side settings around
// them (DeviceSettings) stay as they are.
struct ImageOptions {
    int Geraetekennung = 72; // image byte 1; bit 7 marks a master program
    // Summer/winter rule: 0 none, 1 Europe, 2 Great Britain, 3 USA, 4 by the
    // program's table; kSwRegelUnbekannt before the first settings file.
    int SwRegel = 0;
    int SpracheUhr = 0;
    int Datumsformat = 1;
    int Funk = 0;
    int Nak = 1;
    int Dauertaste = 0;
    int Speicherflag = 1;
    int MessKanal = 0;
    int MessPeriode = 0;
    int MessImpDauer = 0;
    int MessZustand = 0;
    int MessZeitpunkt = 0;
    int AstroC1C2 = 0;
    int MasterKennung = 0;

    bool operator==(const ImageOptions&) const = default;
};

} // namespace zendrik
