#include "engine/time_tag.h"

#include <array>

#include "engine/case_words.h"
#include "engine/expand_prototype.h"
#include "engine/local_clock.h"

namespace {

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// A field outside its range prints as strftime's "?" does.
std::string_view NameOf(const auto& names, int index, bool abbreviated) {
    if (index < 0 || index >= static_cast<int>(names.size())) return "?";
    const std::string_view name = names[static_cast<std::size_t>(index)];
    return abbreviated ? name.substr(0, 3) : name;
}

// A non-negative number with leading zeros up to `width` digits.
std::string Padded(long long number, int width) {
    const bool negative = number < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(number)
                                            : static_cast<unsigned long long>(number);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

int WeekOfYear(const std::tm& time, int firstWeekday) {
    const int daysSinceWeekStart = (time.tm_wday - firstWeekday + 7) % 7;
    return (time.tm_yday + 7 - daysSinceWeekStart) / 7;
}

int TwelveHour(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

}  // namespace

bool IsTextualTimeConversion(std::string_view conversion) {
    return conversion == "%a" || conversion == "%A" || conversion == "%b" || conversion == "%B" ||
           conversion == "%p";
}

bool FormatTimeConversion(std::string_view conversion, const std::tm& time, std::string& text) {
    if (conversion.size() != 2 || conversion[0] != '%') return false;
    const long long year = static_cast<long long>(time.tm_year) + 1900;
    switch (conversion[1]) {
        case 'a':
            text = NameOf(kWeekdayNames, time.tm_wday, true);
            break;
        case 'A':
            text = NameOf(kWeekdayNames, time.tm_wday, false);
            break;
        case 'b':
            text = NameOf(kMonthNames, time.tm_mon, true);
            break;
        case 'B':
            text = NameOf(kMonthNames, time.tm_mon, false);
            break;
        case 'd':
            text = Padded(time.tm_mday, 2);
            break;
        case 'H':
            text = Padded(time.tm_hour, 2);
            break;
        case 'I':
            text = Padded(TwelveHour(time.tm_hour), 2);
            break;
        case 'j':
            text = Padded(time.tm_yday + 1, 3);
            break;
        case 'm':
            text = Padded(time.tm_mon + 1, 2);
            break;
        case 'M':
            text = Padded(time.tm_min, 2);
            break;
        case 'p':
            text = time.tm_hour < 12 ? "AM" : "PM";
            break;
        case 'S':
            text = Padded(time.tm_sec, 2);
            break;
        case 'U':
            text = Padded(WeekOfYear(time, 0), 2);
            break;
        case 'w':
            text = Padded(time.tm_wday, 1);
            break;
        case 'W':
            text = Padded(WeekOfYear(time, 1), 2);
            break;
        case 'y':
            text = Padded((year % 100 + 100) % 100, 2);
            break;
        case 'Y':
            text = Padded(year, 1);
            break;
        default:
            return false;
    }
    return true;
}

std::string ExpandTimeTag(const Tokens& tokens) {
    const std::size_t n = tokens.size();
    if (n != 2 && n != 3) return std::string(kErrorMarker);
    std::string text;
    if (!FormatTimeConversion(tokens[1], CurrentLocalClock().Now(), text))
        return std::string(kErrorMarker);
    if (n == 3 && (!IsTextualTimeConversion(tokens[1]) || !ApplyCaseWord(tokens[2], text)))
        return std::string(kErrorMarker);
    return text;
}
