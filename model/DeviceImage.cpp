#include "model/DeviceImage.h"

#include "model/DstRowCodec.h"
#include "model/UserInteraction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zendrik {

namespace L = ImageLayout;

namespace {

bool hasMovablePriorityTime(const ProgramModel& model)
{
    const ProgramSlot& s = model.program();
    if (model.eib())
        return false;
    for (int i = 0; i < s.AnzEintrag; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsPriorityTimeByte(e.b[0]))
            continue;
        const int kind = PriorityTimeKind(e);
        if (kind == PrioEasterRelative || kind == PrioOnceInYear)
            return true;
    }
    return false;
}

void setLink(Entry& e, int link)
{
    e.b[2] = static_cast<Byte>(link & 0xFF);
    e.b[3] = static_cast<Byte>((e.b[3] & 0x7F) | ((link >> 8) & 1) << 7);
}

int clampSignedByte(int v)
{
    return std::clamp(v, -128, 127);
}

int signedByte(int b)
{
    return b >= 128 ? b - 256 : b;
}

// Astro day records: two 12-bit minute values in three bytes, packed
// differently by the two astro families.
void packAstroDay(int uhrentyp, int t1, int t2, Byte* out)
{
    t1 &= 0x0FFF;
    t2 &= 0x0FFF;
    if (uhrentyp == kFamily738) {
        out[0] = static_cast<Byte>(t1 >> 4);
        out[1] = static_cast<Byte>(((t1 & 0x0F) << 4) | (t2 >> 8));
        out[2] = static_cast<Byte>(t2 & 0xFF);
    } else {
        out[0] = static_cast<Byte>(((t1 >> 8) << 4) | (t1 & 0x0F));
        out[1] = static_cast<Byte>((((t1 >> 4) & 0x0F) << 4) | (t2 >> 8));
        out[2] = static_cast<Byte>(((t2 & 0x0F) << 4) | ((t2 >> 4) & 0x0F));
    }
}

void unpackAstroDay(int uhrentyp, const Byte* in, int& t1, int& t2)
{
    if (uhrentyp == kFamily738) {
        t1 = (in[0] << 4) | (in[1] >> 4);
        t2 = ((in[1] & 0x0F) << 8) | in[2];
    } else {
        t1 = ((in[0] >> 4) << 8) | (((in[1] >> 4) & 0x0F) << 4) | (in[0] & 0x0F);
        t2 = ((in[1] & 0x0F) << 8) | ((in[2] & 0x0F) << 4) | (in[2] >> 4);
    }
}

int astroBase(int uhrentyp)
{
    return uhrentyp == kFamily738 ? L::kAstro738 : L::kAstro752;
}

int astroChannelCount(int uhrentyp)
{
    return uhrentyp == kFamily738 ? 4 : uhrentyp == kFamily752 ? 1
                                                               : 0;
}

} // namespace

void BuildHeader(ProgramModel& model, UserInteraction& ui)
{
    DeviceSettings& d = model.device;
    ProgramSlot& s = model.program();

    if (s.AnzSoWi > 0 && d.SwRegel != 4) {
        const Prompt p = Prompt::question(Buttons::YesNo, Icon::Exclamation, {TextId::DstTableNotActivated});
        if (ui.ask(p) == Answer::Yes)
            d.SwRegel = 4;
    }

    if (d.Uhrentyp == kFamily731)
        d.Geraetekennung = (d.Geraetekennung & 0x80) | (hasMovablePriorityTime(model) ? 73 : 72);

    s.Kopf[0] = 0;
    s.Kopf[1] = d.Geraetekennung & 0xFF;
    if (d.Uhrentyp == kFamily738)
        s.Kopf[2] = (d.SwRegel * 16) & 0xFF;
    else
        s.Kopf[2] = (d.SwRegel * 16 + d.EibFormat * 8 + (d.Kanalzahl - 1)) & 0xFF;

    if (d.Uhrentyp == kFamily752) {
        s.Kopf[3] = 5 + d.Datumsformat * 2 + d.Funk * 8 + d.Nak * 16 + d.Dauertaste * 32;
    } else {
        int option = 1 + d.Datumsformat * 2 + d.SpracheUhr * 4 + d.Funk * 8 + d.Nak * 16 + d.Dauertaste * 32;
        if ((d.Geraetekennung & 0x80) && d.MasterKennung != 0)
            option += 128;
        s.Kopf[3] = option & 0xFF;
    }

    const QDateTime now = model.clock();
    const int minute = now.time().hour() * 60 + now.time().minute();
    s.Kopf[4] = minute / 16;
    s.Kopf[5] = (minute % 16) * 16 + now.date().month();
    s.Kopf[6] = now.date().day();
    s.Kopf[7] = (now.date().year() - 1872) & 0xFF;
}

void PackAstroLocation(const AstroProgram& astro, Image& img)
{
    img[13] = static_cast<Byte>(clampSignedByte(astro.AstroOffsetAuf) & 0xFF);
    img[14] = static_cast<Byte>(clampSignedByte(astro.AstroOffsetUnter) & 0xFF);

    // Degrees in half-degree steps: the whole degrees in their own byte, the
    // half degree as a fraction bit in byte 18.
    const long lonHalves = std::lround(std::fabs(astro.AstroLaenge) * 2.0);
    const long latHalves = std::lround(std::fabs(astro.AstroBreite) * 2.0);
    img[15] = static_cast<Byte>(std::min<long>(lonHalves / 2, 255));
    img[16] = static_cast<Byte>(std::min<long>(latHalves / 2, 127) + (astro.AstroBreite < 0 ? 128 : 0));

    // The zone in quarter hours: whole hours rounded down (a 5-bit two's
    // complement number, -16..15) plus 0..3 quarters.
    const int quarters = static_cast<int>(std::lround(astro.AstroZone / 15.0));
    const int hours = static_cast<int>(std::floor(quarters / 4.0));
    const int rest = quarters - hours * 4;
    img[17] = static_cast<Byte>((astro.AstroLaenge < 0 ? 0x80 : 0) | (rest << 5) | (hours & 0x1F));
    img[18] = static_cast<Byte>((lonHalves % 2 ? 128 : 0) + (latHalves % 2 ? 64 : 0));
}

void UnpackAstroLocation(const Image& img, AstroProgram& astro)
{
    astro.AstroOffsetAuf = signedByte(img[13]);
    astro.AstroOffsetUnter = signedByte(img[14]);
    const float lon = static_cast<float>(img[15]) + ((img[18] & 0x80) ? 0.5f : 0.0f);
    const float lat = static_cast<float>(img[16] & 0x7F) + ((img[18] & 0x40) ? 0.5f : 0.0f);
    astro.AstroLaenge = (img[17] & 0x80) ? -lon : lon;
    astro.AstroBreite = (img[16] & 0x80) ? -lat : lat;
    int hours = img[17] & 0x1F;
    if (hours >= 16)
        hours -= 32;
    astro.AstroZone = hours * 60 + ((img[17] >> 5) & 0x03) * 15;
}

Image BuildLogicalImage(const ProgramModel& model)
{
    const DeviceSettings& d = model.device;
    const ProgramSlot& s = model.program();
    const int size = d.Speichergroesse;
    const int maxEntries = std::clamp(d.MaxEintrag, 1, kEntryRows);

    // Bytes the device gives no meaning (the gap before the astro area of the
    // 752, the tail of the 738) keep the erased-EEPROM value 255.
    Image img(static_cast<std::size_t>(size), 0xFF);

    for (int i = 0; i < L::kHeaderBytes; ++i)
        img[static_cast<std::size_t>(i)] = static_cast<Byte>(s.Kopf[static_cast<std::size_t>(i)] & 0xFF);

    const int free = std::abs(s.Schreibschutz - 1);
    if (d.Uhrentyp == kFamily752) {
        img[L::kProtection] = static_cast<Byte>(245 + 2 * free + 8 * d.AstroC1C2);
        PackAstroLocation(s.astro, img);
    } else {
        img[L::kProtection] = static_cast<Byte>(252 + 2 * free);
        if (s.ProgNr >= 0 && s.ProgNr <= 999999) {
            const int n = s.ProgNr;
            const int pairs[3] = {n / 10000, (n / 100) % 100, n % 100};
            for (int k = 0; k < 3; ++k)
                img[static_cast<std::size_t>(L::kProgramNumber + k)] =
                    static_cast<Byte>((pairs[k] / 10) * 16 + pairs[k] % 10);
        }
        if (d.MessKanal != 0) {
            img[L::kMeterPulse] = static_cast<Byte>(((d.MessKanal - 1) * 64 + d.MessPeriode) & 0xFF);
            img[L::kMeterPulse + 1] =
                static_cast<Byte>((d.MessZustand * 128 + d.MessZeitpunkt * 64 + d.MessImpDauer) & 0xFF);
        }
        if ((d.Geraetekennung & 0x80) && d.MasterKennung != 0)
            img[L::kMasterByte] = static_cast<Byte>(d.MasterKennung & 0xFF);
    }

    // Summer/winter area.
    img[L::kDstYear] = s.AnzSoWi > 0 ? static_cast<Byte>(StoredSoWiJahr(s)) : 255;
    for (int row = 0; row < kDstRows; ++row) {
        for (int k = 0; k < 4; ++k) {
            img[static_cast<std::size_t>(L::kDstTable + 4 * row + k)] =
                row < s.AnzSoWi ? s.SoWiTab[static_cast<std::size_t>(row)].b[static_cast<std::size_t>(k)] : 255;
        }
    }

    // Two chains through the entry memory: the used entries 1..n and the
    // free ones n+1..MaxEintrag. Each link is the 1-based number of the next
    // entry, 0 ends a chain.
    std::vector<Entry> rows(s.Eintrag.begin(), s.Eintrag.begin() + maxEntries);
    for (int i = 0; i < maxEntries - 1; ++i)
        setLink(rows[static_cast<std::size_t>(i)], i + 2);
    if (s.AnzEintrag > 0 && s.AnzEintrag <= maxEntries)
        setLink(rows[static_cast<std::size_t>(s.AnzEintrag - 1)], 0);
    setLink(rows[static_cast<std::size_t>(maxEntries - 1)], 0);

    img[L::kFirstEntryLink] = 0;
    img[L::kFirstEntryLink + 1] = s.AnzEintrag > 0 ? 1 : 0;
    if (s.AnzEintrag >= maxEntries) {
        img[L::kFreeEntryLink] = 0;
        img[L::kFreeEntryLink + 1] = 0;
    } else {
        const int head = s.AnzEintrag + 1;
        img[L::kFreeEntryLink] = static_cast<Byte>((head >> 8) & 1);
        img[L::kFreeEntryLink + 1] = static_cast<Byte>(head & 0xFF);
    }
    for (int i = 0; i < maxEntries; ++i) {
        const int offset = L::entryOffset(i + 1);
        if (offset + 6 > size)
            break;
        std::copy(rows[static_cast<std::size_t>(i)].b.begin(), rows[static_cast<std::size_t>(i)].b.end(),
                  img.begin() + offset);
    }

    // Astro area.
    const int channels = astroChannelCount(d.Uhrentyp);
    for (int c = 0; c < channels; ++c) {
        const bool active = s.astro.AstroAktiv[static_cast<std::size_t>(c + 1)] != 0;
        const int base = astroBase(d.Uhrentyp) + c * L::kAstroChannelBytes;
        for (int day = 0; day < 366; ++day) {
            const AstroDay& a = s.astro.AstroTab[static_cast<std::size_t>(c)][static_cast<std::size_t>(day % 366)];
            const int t1 = active ? a.rise : d.KeineZeit;
            const int t2 = active ? a.set : d.KeineZeit;
            packAstroDay(d.Uhrentyp, t1, t2, &img[static_cast<std::size_t>(base + 3 * day)]);
        }
    }
    return img;
}

void SwapStoredBytes(Image& image, int uhrentyp)
{
    const int size = static_cast<int>(image.size());
    for (int i = L::kHeaderBytes; i < size; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<Byte>(NibbleSwap(image[static_cast<std::size_t>(i)]));

    // Swap back what the device keeps unswapped.
    auto keep = [&](int offset) {
        if (offset < size)
            image[static_cast<std::size_t>(offset)] =
                static_cast<Byte>(NibbleSwap(image[static_cast<std::size_t>(offset)]));
    };
    for (int i = L::kFirstEntryLink; i < L::kEntries; ++i)
        keep(i);
    const int capacity = FamilyCapacity(uhrentyp);
    for (int n = 1; n <= capacity; ++n)
        keep(L::entryOffset(n) + 2);
    if (uhrentyp == kFamily752)
        keep(L::kProtection);
}

void SetChecksum(Image& image)
{
    int sum = 0;
    for (std::size_t i = 1; i < image.size(); ++i)
        sum += image[i];
    image[0] = static_cast<Byte>((256 - sum % 256) % 256);
}

bool ChecksumValid(const Image& image)
{
    int sum = 0;
    for (Byte b : image)
        sum += b;
    return sum % 256 == 0;
}

Image BuildStoredImage(const ProgramModel& model)
{
    Image img = BuildLogicalImage(model);
    SwapStoredBytes(img, model.device.Uhrentyp);
    SetChecksum(img);
    return img;
}

int ParseStoredImage(const Image& stored, DeviceSettings& d, ProgramSlot& s, int slotIndex,
                     bool programHasEntries)
{
    const int size = d.Speichergroesse;
    if (static_cast<int>(stored.size()) != size || size < L::kEntries)
        return LoadInvalid;
    if (!ChecksumValid(stored))
        return LoadInvalid;

    Image img = stored;
    SwapStoredBytes(img, d.Uhrentyp);

    const int id = img[1];
    const int family = id & 0x7F;
    switch (d.Uhrentyp) {
    case kFamily731:
        if (family == 80)
            return LoadFamily752;
        if (family != 72 && family != 73)
            return LoadInvalid;
        break;
    case kFamily738:
        if (family == 72 || family == 73)
            return LoadFamily731;
        if (family == 80)
            return LoadFamily752;
        if (family != 74)
            return LoadInvalid;
        break;
    case kFamily752:
        if (family == 72 || family == 73)
            return LoadFamily731;
        // A master card of the astro device carries the master flag in bit 7
        // like the others.
        if (family != 80)
            return LoadInvalid;
        break;
    default:
        return LoadInvalid;
    }

    const bool program = slotIndex == kProgramSlot;
    if (program) {
        d.Geraetekennung = id;
        if (id == 73)
            d.Bewft = 1;
        // Byte 18 holds the eight master bits only when the card is a master
        // card and its option byte says so (+128); otherwise it is 255 and
        // no bit was set.
        if (d.Uhrentyp != kFamily752)
            d.MasterKennung = (id & 0x80) && (img[3] & 0x80) ? img[L::kMasterByte] : 0;
    }

    for (int i = 0; i < L::kHeaderBytes; ++i)
        s.Kopf[static_cast<std::size_t>(i)] = img[static_cast<std::size_t>(i)];

    if (program) {
        // The 738 family keeps no channel count in byte 2: it always has 16.
        if (d.Uhrentyp != kFamily738)
            d.Kanalzahl = GetBits(0, 2, img[2]) + 1;
        d.EibFormat = GetBits(3, 3, img[2]);
        d.SwRegel = GetBits(4, 7, img[2]);
        MerkeSwRegel(d);
        d.Speicherflag = GetBits(0, 0, img[3]);
        d.Datumsformat = GetBits(1, 1, img[3]);
        // The astro device's option byte has no clock language: its bit 2 is
        // always set; the setting stays as it is.
        if (d.Uhrentyp != kFamily752)
            d.SpracheUhr = GetBits(2, 2, img[3]);
        d.Funk = GetBits(3, 3, img[3]);
        d.Nak = GetBits(4, 4, img[3]);
        d.Dauertaste = GetBits(5, 5, img[3]);
    } else if (!programHasEntries) {
        d.EibFormat = GetBits(3, 3, img[2]);
    }

    s.Schreibschutz = std::abs(GetBits(1, 1, img[L::kProtection]) - 1);
    if (d.Uhrentyp == kFamily752) {
        UnpackAstroLocation(img, s.astro);
        s.ProgNr = kNoProgramNumber;
        if (program)
            d.AstroC1C2 = GetBits(3, 3, img[L::kProtection]);
    } else {
        const int a = BcdToByte(img[13]);
        const int b = BcdToByte(img[14]);
        const int c = BcdToByte(img[15]);
        s.ProgNr = (a > 99 || b > 99 || c > 99) ? kNoProgramNumber : 10000 * a + 100 * b + c;
        if (program) {
            if (img[L::kMeterPulse] == 255) {
                d.MessKanal = d.MessPeriode = d.MessZustand = d.MessZeitpunkt = d.MessImpDauer = 0;
            } else {
                d.MessKanal = GetBits(6, 7, img[16]) + 1;
                d.MessPeriode = GetBits(0, 5, img[16]);
                d.MessZustand = GetBits(7, 7, img[17]);
                d.MessZeitpunkt = GetBits(6, 6, img[17]);
                d.MessImpDauer = GetBits(0, 5, img[17]);
            }
        }
    }

    s.SoWiJahr = img[L::kDstYear];
    s.AnzSoWi = 0;
    for (int row = 0; row < kDstRows; ++row) {
        DstRow& r = s.SoWiTab[static_cast<std::size_t>(row)];
        for (int k = 0; k < 4; ++k)
            r.b[static_cast<std::size_t>(k)] = img[static_cast<std::size_t>(L::kDstTable + 4 * row + k)];
        if (r.b[0] < 240)
            ++s.AnzSoWi;
    }

    // Walk the chain of used entries.
    const int capacity = FamilyCapacity(d.Uhrentyp);
    s.AnzSz = s.AnzPz = 0;
    int stored_ = 0;
    int p = img[L::kFirstEntryLink] * 256 + img[L::kFirstEntryLink + 1];
    for (int visited = 0; p != 0 && p <= capacity && visited < capacity; ++visited) {
        if (program && d.Uhrentyp == kFamily731 && p > 150)
            d.MaxEintrag = 324;
        const int offset = L::entryOffset(p);
        if (offset + 6 > size)
            break;
        Entry e;
        std::copy(img.begin() + offset, img.begin() + offset + 6, e.b.begin());
        const int next = GetBits(7, 7, e.b[3]) * 256 + e.b[2];
        if (IsSwitchingTimeByte(e.b[0]) || IsPriorityTimeByte(e.b[0])) {
            if (IsSwitchingTimeByte(e.b[0]))
                ++s.AnzSz;
            else
                ++s.AnzPz;
            e.b[2] = 0;
            e.b[3] &= 0x7F;
            s.Eintrag[static_cast<std::size_t>(stored_++)] = e;
        }
        p = next;
    }
    s.AnzEintrag = s.AnzSz + s.AnzPz;

    // Astro tables: the image keeps the switching minutes (the limits written
    // in); a channel whose table holds any time is an astro channel. The
    // states are the device's own, OFF at sunrise and ON at sunset; the
    // limits themselves come from the program file's trailer, if any.
    const int channels = astroChannelCount(d.Uhrentyp);
    const int noTime = FamilyNoTime(d.Uhrentyp);
    for (int c = 0; c < channels; ++c) {
        const int base = astroBase(d.Uhrentyp) + c * L::kAstroChannelBytes;
        bool any = false;
        auto& table = s.astro.AstroTab[static_cast<std::size_t>(c)];
        for (int day = 0; day < 366; ++day) {
            int t1 = 0;
            int t2 = 0;
            unpackAstroDay(d.Uhrentyp, &img[static_cast<std::size_t>(base + 3 * day)], t1, t2);
            table[static_cast<std::size_t>(day)] = AstroDay{t1, t2, 0, -1};
            any = any || t1 != noTime || t2 != noTime;
        }
        s.astro.AstroAktiv[static_cast<std::size_t>(c + 1)] = any ? -1 : 0;
        if (any)
            s.astro.AstroAktiv[0] = -1;
        s.astro.AstroGrenze[static_cast<std::size_t>(c)] = AstroLimits{0, 1439, 0, -1};
    }
    return LoadOk;
}

} // namespace zendrik
