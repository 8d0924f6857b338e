#pragma once
// Finding a CD-ROM drive among the drive letters.

#include <cstdint>
#include <functional>

namespace qv {

inline constexpr int kDriveNoRootDir = 1;
inline constexpr int kDriveCdrom = 5;

struct DriveScan {
    bool CdDriveFound = false;
    int MissingDriveCount = 0;  // letters without a volume met before the scan ended
    char cdLetter = 0;
};

// Looks at A: to Z: and stops at the first CD-ROM drive. Letters absent from
// `logicalDrives` (bit 0 = A:) count as missing without being asked about;
// missing letters never end the scan, so a drive lettered after a gap is found.
DriveScan scanDrives(std::uint32_t logicalDrives, const std::function<int(char letter)>& driveType);

}  // namespace qv
