#include <gtest/gtest.h>

#include <map>
#include <string>

#include "face/drive_scan.h"

// A machine as a map from letter to drive type; absent letters have no volume.
TEST(DriveScan, FindsTheFirstCdDriveAndCountsTheLettersWithoutAVolumeBeforeIt)
{
    constexpr int kRemovable = 2, kFixed = 3, kRemote = 4, kCd = 5, kRam = 6;
    const struct {
        std::map<char, int> drives;
        char cd;
        int missing;
        std::string asked;  // letters without a volume are not queried
    } rows[] = {
        {{{'C', kFixed}, {'D', kCd}, {'E', kCd}}, 'D', 2, "CD"},
        {{{'C', kFixed}, {'D', kFixed}, {'F', kCd}}, 'F', 3, "CDF"},
        // Other kinds are neither a CD drive nor missing.
        {{{'A', kRemovable}, {'C', kFixed}, {'G', kRemote}, {'H', kRam}, {'Z', 0}}, 0, 26 - 5, "ACGHZ"},
        // Listed by the system, but its volume is gone when asked.
        {{{'C', kFixed}, {'D', qv::kDriveNoRootDir}, {'Z', kCd}}, 'Z', 24, "CDZ"},
    };
    for (const auto& r : rows) {
        std::uint32_t mask = 0;
        for (auto [letter, type] : r.drives)
            mask |= 1u << (letter - 'A');
        std::string asked;
        const qv::DriveScan s = qv::scanDrives(mask, [&](char letter) {
            asked += letter;
            return r.drives.at(letter);
        });
        EXPECT_EQ(std::tuple(s.CdDriveFound, s.cdLetter, s.MissingDriveCount, asked),
                  std::tuple(r.cd != 0, r.cd, r.missing, r.asked));
    }
}
