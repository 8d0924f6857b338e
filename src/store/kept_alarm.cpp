#include "store/kept_alarm.h"

#include <cwchar>
#include <iterator>

#include "core/datetext.h"
#include "core/digits.h"
#include "core/reminder_limits.h"
#include "core/seconds.h"

namespace qv {
namespace {

std::wstring momentText(const LocalTime& t)
{
    wchar_t date[16] = {};
    std::swprintf(date, std::size(date), L"%04d-%02d-%02d ", t.year, t.month, t.day);
    std::wstring out = date;
    appendTimeText(out, t);
    return out;
}

std::optional<LocalTime> readMoment(const std::wstring& text)
{
    static constexpr wchar_t kShape[] = L"0000-00-00 00:00:00";
    if (text.size() != std::size(kShape) - 1)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (kShape[i] == L'0' ? !isAsciiDigit(text[i]) : text[i] != kShape[i])
            return std::nullopt;
    auto number = [&](std::size_t at, std::size_t width) {
        int n = 0;
        for (std::size_t i = at; i < at + width; ++i)
            n = n * 10 + (text[i] - L'0');
        return n;
    };
    const LocalTime read{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    if (read.year < 1601)
        return std::nullopt;  // before the system's calendar begins
    // A field out of range (month 13, 31 June, 29 February of a common year,
    // 24:00:00) comes back as another moment.
    const LocalTime t = fromAbsoluteSeconds(absoluteSeconds(read));
    if (t.year != read.year || t.month != read.month || t.day != read.day || t.hour != read.hour ||
        t.minute != read.minute || t.second != read.second)
        return std::nullopt;
    return t;
}

}  // namespace

void KeptAlarm::save(const KeptAlarmValue& value)
{
    store_.writeValue(kKeptAlarmKeyPath, kAlarmAtName, momentText(value.at));
    store_.writeValue(kKeptAlarmKeyPath, kAlarmMsgName, value.message);
}

std::optional<KeptAlarmValue> KeptAlarm::load()
{
    const std::optional<std::wstring> at = store_.readValue(kKeptAlarmKeyPath, kAlarmAtName);
    std::optional<std::wstring> message = store_.readValue(kKeptAlarmKeyPath, kAlarmMsgName);
    if (!at && !message)
        return std::nullopt;
    const std::optional<LocalTime> moment = at ? readMoment(*at) : std::nullopt;
    if (!moment || !message || message->empty() || message->size() > kReminderLimit) {
        erase();
        return std::nullopt;
    }
    return KeptAlarmValue{*moment, std::move(*message)};
}

void KeptAlarm::erase()
{
    store_.deleteValue(kKeptAlarmKeyPath, kAlarmAtName);
    store_.deleteValue(kKeptAlarmKeyPath, kAlarmMsgName);
}

}  // namespace qv
