#include <gtest/gtest.h>

#include <map>
#include <string>

#include "face/drive_scan.h"

namespace {

// A machine as a map from letter to drive type; absent letters have no volume.
struct Machine {
    std::map<char, int> drives;
    std::string asked;

    std::uint32_t mask() const
    {
        std::uint32_t m = 0;
        for (auto [letter, type] : drives)
            m |= 1u << (letter - 'A');
        return m;
    }
    qv::DriveScan scan()
    {
        return qv::scanDrives(mask(), [this](char letter) {
            asked += letter;
            auto it = drives.find(letter);
            return it == drives.end() ? qv::kDriveNoRootDir : it->second;
        });
    }
};

constexpr int kRemovable = 2, kFixed = 3, kRemote = 4, kCd = 5, kRam = 6;

}  // namespace

TEST(DriveScan, StopsAtTheFirstCdDrive)
{
    Machine m{{{'C', kFixed}, {'D', kCd}, {'E', kCd}}, {}};
    const qv::DriveScan s = m.scan();
    EXPECT_TRUE(s.CdDriveFound);
    EXPECT_EQ(s.cdLetter, 'D');
    EXPECT_EQ(s.MissingDriveCount, 2);  // A: and B:
    EXPECT_EQ(m.asked, "CD");           // letters without a volume are not queried
}

TEST(DriveScan, FindsACdDriveAfterThreeMissingLetters)
{
    Machine m{{{'C', kFixed}, {'D', kFixed}, {'F', kCd}}, {}};
    const qv::DriveScan s = m.scan();
    EXPECT_TRUE(s.CdDriveFound);
    EXPECT_EQ(s.cdLetter, 'F');
    EXPECT_EQ(s.MissingDriveCount, 3);
}

TEST(DriveScan, OtherDriveKindsAreNeitherCdNorMissing)
{
    Machine m{{{'A', kRemovable}, {'C', kFixed}, {'G', kRemote}, {'H', kRam}, {'Z', 0}}, {}};
    const qv::DriveScan s = m.scan();
    EXPECT_FALSE(s.CdDriveFound);
    EXPECT_EQ(s.cdLetter, 0);
    EXPECT_EQ(s.MissingDriveCount, 26 - 5);
    EXPECT_EQ(m.asked, "ACGHZ");
}

TEST(DriveScan, ALetterThatVanishesCountsAsMissing)
{
    // Listed by the system, but its volume is gone when asked.
    Machine m{{{'C', kFixed}, {'D', qv::kDriveNoRootDir}, {'Z', kCd}}, {}};
    const qv::DriveScan s = m.scan();
    EXPECT_TRUE(s.CdDriveFound);
    EXPECT_EQ(s.cdLetter, 'Z');
    EXPECT_EQ(s.MissingDriveCount, 24);
}
