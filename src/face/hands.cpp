#include "face/hands.h"

#include <cmath>

namespace qv {
namespace {

constexpr double kRadiansPerDegree = 3.14 / 180.0;
constexpr double kTipCentreX = 1200.0;

struct HandShape {
    double length;
    double tipCentreY;
};

HandShape shapeOf(HandKind kind)
{
    switch (kind) {
    case HandKind::Second: return {800.0, 1190.0};
    case HandKind::Minute: return {600.0, 1190.0};
    case HandKind::Hour: break;
    }
    return {400.0, 1192.0};
}

}  // namespace

double handAngle(HandKind kind, int hour, int minute, int second)
{
    switch (kind) {
    case HandKind::Second: return 6.0 * second - 90.0;
    case HandKind::Minute: return 6.0 * minute - 90.0;
    case HandKind::Hour: break;
    }
    return 30.0 * hour - 90.0 + 0.5 * minute;
}

HandLine handLine(HandKind kind, double angleDegrees, float clientWidth, float clientHeight)
{
    const HandShape shape = shapeOf(kind);
    const double radians = angleDegrees * kRadiansPerDegree;
    HandLine line;
    line.X1 = clientWidth / 2.0f;
    line.Y1 = clientHeight / 2.0f - 100.0f;
    line.X2 = static_cast<float>(shape.length * std::cos(radians) + kTipCentreX);
    line.Y2 = static_cast<float>(shape.length * std::sin(radians) + shape.tipCentreY);
    return line;
}

HandSet computeHands(int hour, int minute, int second, float clientWidth, float clientHeight)
{
    HandSet set;
    set.sec = handLine(HandKind::Second, handAngle(HandKind::Second, hour, minute, second),
                       clientWidth, clientHeight);
    set.min = handLine(HandKind::Minute, handAngle(HandKind::Minute, hour, minute, second),
                       clientWidth, clientHeight);
    set.hou = handLine(HandKind::Hour, handAngle(HandKind::Hour, hour, minute, second),
                       clientWidth, clientHeight);
    return set;
}

}  // namespace qv
