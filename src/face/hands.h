#pragma once
// Where the three hands of the face lie, in twips of the face's client area.

namespace qv {

// X1/Y1 the inner end, X2/Y2 the tip; single precision like the stored line.
struct HandLine {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    friend bool operator==(const HandLine&, const HandLine&) = default;
};

struct HandSet {
    HandLine sec;
    HandLine min;
    HandLine hou;
    friend bool operator==(const HandSet&, const HandSet&) = default;
};

enum class HandKind { Second, Minute, Hour };

// Angle in degrees clockwise from 3 o'clock: -90 is 12 o'clock.
double handAngle(HandKind kind, int hour, int minute, int second);

// Tips on circles around (1200, 1190), the hour hand's around (1200, 1192);
// inner ends at the client centre, 100 twips up. Radians come from 3.14, not
// pi, so every hand sits a hair off the exact direction: that is the face's
// established look, and the tests pin it.
HandLine handLine(HandKind kind, double angleDegrees, float clientWidth, float clientHeight);

HandSet computeHands(int hour, int minute, int second, float clientWidth, float clientHeight);

}  // namespace qv
