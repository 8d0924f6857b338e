#include "face/drive_scan.h"

namespace qv {

DriveScan scanDrives(std::uint32_t logicalDrives, const std::function<int(char letter)>& driveType)
{
    DriveScan scan;
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        const int type = (logicalDrives >> i) & 1u ? driveType(letter) : kDriveNoRootDir;
        if (type == kDriveCdrom) {
            scan.CdDriveFound = true;
            scan.cdLetter = letter;
            break;
        }
        if (type == kDriveNoRootDir)
            ++scan.MissingDriveCount;
    }
    return scan;
}

}  // namespace qv
