#include "store/kept_alarm.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "core/datetext.h"
#include "core/digits.h"
#include "core/reminder_limits.h"
#include "core/repeat_rule.h"
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

std::optional<KeptAlarmValue> readValue(const std::optional<std::wstring>& at, std::optional<std::wstring> message)
{
    const std::optional<LocalTime> moment = at ? readMoment(*at) : std::nullopt;
    if (!moment || !message || message->empty() || message->size() > kReminderLimit)
        return std::nullopt;
    return KeptAlarmValue{*moment, std::move(*message)};
}

// A rule with a day past Saturday, or a value of another type, is damage.
std::optional<unsigned> readRepeat(const DwordValue& v)
{
    if (v.state == DwordValue::State::Missing)
        return kOnce;
    if (v.state == DwordValue::State::OtherType || (v.value & ~kRepeatBits) != 0)
        return std::nullopt;
    return v.value;
}

std::optional<KeptAlarmValue> readSaving(const std::wstring& saving)
{
    constexpr std::size_t kMoment = std::size(L"0000-00-00 00:00:00") - 1, kMask = 3;
    if (saving.size() <= kMoment + kMask)
        return std::nullopt;
    unsigned mask = 0;
    for (std::size_t i = kMoment; i < kMoment + kMask; ++i) {
        if (!isAsciiDigit(saving[i]))
            return std::nullopt;
        mask = mask * 10 + static_cast<unsigned>(saving[i] - L'0');
    }
    std::optional<KeptAlarmValue> value = readValue(saving.substr(0, kMoment), saving.substr(kMoment + kMask));
    const std::optional<unsigned> repeat = readRepeat({DwordValue::State::There, mask});
    if (!value || !repeat)
        return std::nullopt;
    value->repeat = *repeat;
    return value;
}

}  // namespace

bool KeptAlarm::save(const KeptAlarmValue& value)
{
    const std::wstring moment = momentText(value.at);
    wchar_t mask[4] = {};
    std::swprintf(mask, std::size(mask), L"%03u", value.repeat & kRepeatBits);
    if (!store_.writeValue(kKeptAlarmKeyPath, kAlarmSavingName, moment + mask + value.message))
        return false;
    // Until all three are written the value above is the one kept.
    if (store_.writeValue(kKeptAlarmKeyPath, kAlarmAtName, moment) &&
        store_.writeValue(kKeptAlarmKeyPath, kAlarmMsgName, value.message) &&
        store_.writeDword(kKeptAlarmKeyPath, kAlarmRepeatName, value.repeat & kRepeatBits))
        store_.deleteValue(kKeptAlarmKeyPath, kAlarmSavingName);
    return true;
}

std::optional<KeptAlarmValue> KeptAlarm::load()
{
    if (const std::optional<std::wstring> saving = store_.readValue(kKeptAlarmKeyPath, kAlarmSavingName)) {
        if (std::optional<KeptAlarmValue> value = readSaving(*saving)) {
            save(*value);
            return value;
        }
        store_.deleteValue(kKeptAlarmKeyPath, kAlarmSavingName);
    }
    const std::optional<std::wstring> at = store_.readValue(kKeptAlarmKeyPath, kAlarmAtName);
    std::optional<std::wstring> message = store_.readValue(kKeptAlarmKeyPath, kAlarmMsgName);
    if (!at && !message)
        return std::nullopt;
    std::optional<KeptAlarmValue> value = readValue(at, std::move(message));
    const std::optional<unsigned> repeat = readRepeat(store_.readDword(kKeptAlarmKeyPath, kAlarmRepeatName));
    if (!value || !repeat) {
        erase();
        return std::nullopt;
    }
    value->repeat = *repeat;
    return value;
}

bool KeptAlarm::erase()
{
    const bool saving = store_.deleteValue(kKeptAlarmKeyPath, kAlarmSavingName);
    const bool at = store_.deleteValue(kKeptAlarmKeyPath, kAlarmAtName);
    const bool message = store_.deleteValue(kKeptAlarmKeyPath, kAlarmMsgName);
    const bool repeat = store_.deleteValue(kKeptAlarmKeyPath, kAlarmRepeatName);
    return saving && at && message && repeat;
}

}  // namespace qv
