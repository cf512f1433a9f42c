#include "platform/win32/short_date.h"

namespace dustbane::win32 {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

class DateReader {
  public:
    DateReader(const std::wstring& text, const DateNames& names) : text_(text), names_(names) {}

    bool literal(wchar_t c) {
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }

    // Up to maxDigits decimal digits, at least one.
    std::optional<int> number(size_t maxDigits) {
        size_t start = position_;
        int value = 0;
        while (position_ < text_.size() && position_ - start < maxDigits &&
               text_[position_] >= L'0' && text_[position_] <= L'9') {
            value = value * 10 + (text_[position_++] - L'0');
        }
        return position_ > start ? std::optional<int>(value) : std::nullopt;
    }

    // The 1-based index of the longest name that the text continues with.
    std::optional<int> name(const std::vector<std::wstring>& candidates) {
        size_t best = 0;
        std::optional<int> index;
        for (size_t i = 0; i < candidates.size(); ++i) {
            const std::wstring& candidate = candidates[i];
            if (!candidate.empty() && candidate.size() > best &&
                text_.compare(position_, candidate.size(), candidate) == 0) {
                best = candidate.size();
                index = static_cast<int>(i) + 1;
            }
        }
        position_ += best;
        return index;
    }

    bool atEnd() const { return position_ == text_.size(); }
    const DateNames& names() const { return names_; }

  private:
    const std::wstring& text_;
    const DateNames& names_;
    size_t position_ = 0;
};

struct DateFields {
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
};

// Reads the field a run of one picture letter stands for; false when the text does not fit.
bool readField(wchar_t letter, size_t count, DateReader& reader, DateFields& fields) {
    switch (letter) {
    case L'd':
        if (count <= 2) {
            fields.day = reader.number(2);
            return fields.day.has_value();
        }
        return reader.name(reader.names().days).has_value();
    case L'M':
        fields.month = count <= 2   ? reader.number(2)
                       : count == 3 ? reader.name(reader.names().abbreviatedMonths)
                                    : reader.name(reader.names().months);
        return fields.month.has_value();
    case L'y':
        if (count <= 2) {
            std::optional<int> shortYear = reader.number(2);
            if (shortYear) {
                fields.year = *shortYear + (*shortYear < 50 ? 2000 : 1900);
            }
        } else {
            fields.year = reader.number(4);
        }
        return fields.year.has_value();
    default:
        return false; // eras ("g") and anything else this reader does not know
    }
}

} // namespace

int64_t civilDayNumber(int year, int month, int day) {
    // Howard Hinnant's days-from-civil.
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<int64_t> parseDatePicture(const std::wstring& picture, const std::wstring& text,
                                        const DateNames& names) {
    DateReader reader(text, names);
    DateFields fields;
    for (size_t i = 0; i < picture.size();) {
        wchar_t c = picture[i];
        if (c == L'd' || c == L'M' || c == L'y' || c == L'g') {
            size_t count = picture.find_first_not_of(c, i);
            count = (count == std::wstring::npos ? picture.size() : count) - i;
            if (!readField(c, count, reader, fields)) {
                return std::nullopt;
            }
            i += count;
        } else if (c == L'\'') {
            // A quoted literal; two quotes in a row stand for one.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] == L'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
                        ++i;
                    } else {
                        break;
                    }
                }
                if (!reader.literal(picture[i])) {
                    return std::nullopt;
                }
            }
            ++i;
        } else {
            if (!reader.literal(c)) {
                return std::nullopt;
            }
            ++i;
        }
    }
    if (!reader.atEnd() || !fields.year || !fields.month || !fields.day || *fields.year < 1 ||
        *fields.month < 1 || *fields.month > 12 || *fields.day < 1 ||
        *fields.day > daysInMonth(*fields.year, *fields.month)) {
        return std::nullopt;
    }
    return civilDayNumber(*fields.year, *fields.month, *fields.day);
}

} // namespace dustbane::win32
