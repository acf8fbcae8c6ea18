#include "platform/date_time_text.h"

#include <cctype>
#include <vector>

#include "platform/ascii.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// The first character of a picture that is neither a field letter nor a blank: the
// separator its fields are written with.
char separatorOf(const std::string& picture, char fallback) {
    for (char c : picture)
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != '\'') return c;
    return fallback;
}

std::string trimmed(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// Numbers separated by sep, each of one to four digits with blanks around it.
std::optional<std::vector<int>> numbersOf(const std::string& text, char sep) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(sep, start);
        std::string part =
            trimmed(text.substr(start, end == std::string::npos ? end : end - start));
        if (part.empty() || part.size() > 4 || part.find_first_not_of("0123456789") != part.npos)
            return std::nullopt;
        numbers.push_back(std::stoi(part));
        if (end == std::string::npos) return numbers;
        start = end + 1;
    }
}

std::string twoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

} // namespace

std::optional<SystemTime> tryStrToDate(const std::string& text, const DateTimeFormats& formats) {
    std::optional<std::vector<int>> numbers = numbersOf(text, separatorOf(formats.shortDate, '/'));
    if (!numbers || numbers->size() != 3) return std::nullopt;
    // The fields come in the order the picture names them.
    std::string order;
    for (char c : formats.shortDate) {
        const char field = asciiLower(c);
        if ((field == 'd' || field == 'm' || field == 'y') && order.find(field) == order.npos)
            order += field;
    }
    if (order.size() != 3) order = "mdy";
    SystemTime date;
    for (std::size_t i = 0; i < 3; ++i) {
        int n = (*numbers)[i];
        if (order[i] == 'd') date.day = n;
        if (order[i] == 'm') date.month = n;
        if (order[i] == 'y') date.year = n < 100 ? (n < 50 ? 2000 + n : 1900 + n) : n;
    }
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

SystemTime strToDate(const std::string& text, const DateTimeFormats& formats) {
    if (std::optional<SystemTime> date = tryStrToDate(text, formats)) return *date;
    throw ConversionError("'" + text + "' is not a valid date");
}

std::optional<SystemTime> tryStrToTime(const std::string& text, const DateTimeFormats& formats) {
    std::string rest = trimmed(text);
    int half = -1; // -1 none, 0 morning, 1 afternoon
    for (int h = 0; h < 2 && half < 0; ++h) {
        const std::string& designator = h == 0 ? formats.am : formats.pm;
        if (designator.empty()) continue;
        if (endsWithIgnoringAsciiCase(rest, designator)) {
            rest = trimmed(rest.substr(0, rest.size() - designator.size()));
            half = h;
        } else if (startsWithIgnoringAsciiCase(rest, designator)) {
            rest = trimmed(rest.substr(designator.size()));
            half = h;
        }
    }
    std::optional<std::vector<int>> numbers = numbersOf(rest, separatorOf(formats.time, ':'));
    if (!numbers || numbers->size() < 2 || numbers->size() > 3) return std::nullopt;
    SystemTime time;
    time.hour = (*numbers)[0];
    time.minute = (*numbers)[1];
    time.second = numbers->size() == 3 ? (*numbers)[2] : 0;
    if (half >= 0) {
        if (time.hour < 1 || time.hour > 12) return std::nullopt;
        time.hour = time.hour % 12 + 12 * half;
    }
    if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
    return time;
}

std::string formatDateTime(const SystemTime& at, const std::string& picture,
                           const DateTimeFormats& formats) {
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == '\'') {
            std::size_t close = picture.find('\'', i + 1);
            out += picture.substr(i + 1, close == std::string::npos ? close : close - i - 1);
            i = close == std::string::npos ? picture.size() : close + 1;
            continue;
        }
        int twelve = at.hour % 12 == 0 ? 12 : at.hour % 12;
        auto number = [&](int n) { out += run >= 2 ? twoDigits(n) : std::to_string(n); };
        switch (c) {
        case 'd':
            number(at.day);
            break;
        case 'M':
            number(at.month);
            break;
        case 'y':
            if (run <= 2)
                out += run == 1 ? std::to_string(at.year % 100) : twoDigits(at.year % 100);
            else
                out += std::to_string(at.year);
            break;
        case 'h':
            number(twelve);
            break;
        case 'H':
            number(at.hour);
            break;
        case 'm':
            number(at.minute);
            break;
        case 's':
            number(at.second);
            break;
        case 't': {
            const std::string& designator = at.hour < 12 ? formats.am : formats.pm;
            out += run == 1 ? designator.substr(0, 1) : designator;
            break;
        }
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    return out;
}

std::string dateToStr(const SystemTime& date, const DateTimeFormats& formats) {
    return formatDateTime(date, formats.shortDate, formats);
}

std::string timeToStr(const SystemTime& time, const DateTimeFormats& formats) {
    return formatDateTime(time, formats.time, formats);
}

} // namespace remvana
