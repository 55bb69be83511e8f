#pragma once

#include "model/Entry.h"
#include "model/ProgramModel.h"

#include <vector>

namespace zendrik {

class UserInteraction;

// The device memory as the time switch holds it: 2048 or 8192 bytes.
using Image = std::vector<Byte>;

namespace ImageLayout {
inline constexpr int kHeaderBytes = 8;
inline constexpr int kProtection = 12;
inline constexpr int kProgramNumber = 13;
inline constexpr int kMeterPulse = 16;
inline constexpr int kMasterByte = 18;
inline constexpr int kDstYear = 19;
inline constexpr int kDstTable = 20;
inline constexpr int kFirstEntryLink = 100;
inline constexpr int kFreeEntryLink = 102;
inline constexpr int kEntries = 104;
inline constexpr int kAstro752 = 950;
inline constexpr int kAstro738 = 3176;
inline constexpr int kAstroChannelBytes = 366 * 3;

inline constexpr int entryOffset(int n) { return kEntries + 6 * (n - 1); }
} // namespace ImageLayout

// Kopf(0, 0..7): device identification, options and the time of saving.
// When slot 0 holds a summer/winter table that the rule does not use, asks
// whether to activate it.
void BuildHeader(ProgramModel& model, UserInteraction& ui);

// The image of slot 0 in device byte order (nibble-swapped, checksummed),
// from the header already built by BuildHeader.
Image BuildStoredImage(const ProgramModel& model);

// The image of slot 0 before the nibble swap and checksum.
Image BuildLogicalImage(const ProgramModel& model);

// Exchanges the nibbles of every byte from offset 8 on except those the
// device keeps as they are (the chain heads 100..103, the link byte of every
// entry, and on the astro family byte 12). Its own inverse.
void SwapStoredBytes(Image& image, int uhrentyp);

// Sets byte 0 so that all bytes sum to 0 modulo 256.
void SetChecksum(Image& image);
bool ChecksumValid(const Image& image);

// Load result codes of a program file, a chip image or an exchange file.
enum LoadResult : int {
    LoadOk = 0,
    LoadInvalid = 1,
    LoadMissing = 2,
    LoadNotAFile = 3, // a folder, a device, a pipe or a socket
    LoadNoPermission = 4,
    LoadLinkLoop = 5,
    LoadUnreadable = 6,  // any other reason the system gives
    LoadLargeImage = 74, // an 8192-byte program on a 2048-byte device
    LoadFamily731 = 731, // the file belongs to the other families
    LoadFamily752 = 752,
};

// The 752 family keeps the astro location in bytes 13..18 instead of the
// program number and meter pulse.
void PackAstroLocation(const AstroProgram& astro, Image& logical);
void UnpackAstroLocation(const Image& logical, AstroProgram& astro);

// Reads a stored image into a slot. `device` receives the settings the
// header carries when slotIndex is 0; on failure nothing is meant to be
// taken over (the caller works on copies). `programHasEntries` tells a
// sample load whether slot 0 is empty (then the sample decides the format).
int ParseStoredImage(const Image& stored, DeviceSettings& device, ProgramSlot& slot,
                     int slotIndex, bool programHasEntries);

} // namespace zendrik
