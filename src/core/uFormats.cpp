#include "uFormats.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

namespace corvadel {

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

namespace {

// Decimal digits of |value| rounded to `precision` significant digits, and the
// exponent of the first digit.
struct Decimal {
    bool Negative = false;
    std::string Digits; // no leading zeros; trailing zeros kept
    int Exponent = 0; // value = 0.d1d2d3... x 10^(Exponent + 1)
};

// Reads the "d.ddde+x" text of a scientific conversion.
Decimal FromScientific(const char *p)
{
    Decimal d;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (std::isdigit(static_cast<unsigned char>(*p)))
            d.Digits += *p;
    if (*p == 'e') {
        const char *exponent = p + 1 + (p[1] == '+');
        std::from_chars(exponent, exponent + std::strlen(exponent), d.Exponent);
    }
    return d;
}

Decimal ToDecimal(double value, int precision)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
    return FromScientific(buffer);
}

// The value rounded to 15 significant digits. For a normal number whose
// shortest exact text has at most 15 digits that text is the rounding (the
// 15-digit grid is coarser than the spacing of doubles), and it is much
// cheaper to get than a printf conversion.
Decimal ToDecimal15(double value)
{
    if (std::fabs(value) >= std::numeric_limits<double>::min()) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific);
        if (result.ec == std::errc()) {
            *result.ptr = '\0';
            Decimal d = FromScientific(buffer);
            if (d.Digits.size() <= 15)
                return d;
        }
    }
    return ToDecimal(value, 15);
}

// A decimal with up to six places and 15 digits, found by scaling: when its
// digits over the power of ten give back exactly the value, the value is
// the double nearest that decimal, which 15-digit rounding prints as it is.
bool ShortDecimal(double value, std::string &text)
{
    static constexpr double Scales[] = { 1e1, 1e2, 1e3, 1e4, 1e5, 1e6 };
    if (!(std::fabs(value) >= 1e-4))
        return false;
    for (int places = 1; places <= 6; ++places) {
        const double scale = Scales[places - 1];
        const double digits = std::nearbyint(value * scale);
        if (std::fabs(digits) >= 1e15)
            return false;
        if (digits / scale != value)
            continue;
        // Written from the last digit back: places, point, whole part.
        char buffer[24];
        char *const end = buffer + sizeof buffer;
        char *p = end;
        auto rest = static_cast<uint64_t>(std::fabs(digits));
        for (int i = 0; i < places; ++i, rest /= 10)
            *--p = static_cast<char>('0' + rest % 10);
        *--p = '.';
        do
            *--p = static_cast<char>('0' + rest % 10);
        while (rest /= 10);
        if (value < 0)
            *--p = '-';
        text.assign(p, end);
        return true;
    }
    return false;
}

// The positional form of a value between 1E-4 and 1E15 whose shortest exact
// text has at most 15 significant digits: that text is its rounding to 15
// digits (see ToDecimal15), written as it is.
bool ShortPositional(double value, std::string &text)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15))
        return false;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return false;
    int significant = 0;
    for (const char *p = buffer; p != result.ptr; ++p)
        if (std::isdigit(static_cast<unsigned char>(*p)) && (significant > 0 || *p != '0'))
            ++significant;
    if (significant > 15)
        return false;
    text.assign(buffer, result.ptr);
    return true;
}

std::string WithSeparator(std::string text)
{
    const char sep = FormatSettings().DecimalSeparator;
    if (sep != '.')
        for (char &c : text)
            if (c == '.')
                c = sep;
    return text;
}

std::string NonFinite(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

} // namespace

std::string FloatToStr(double value)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    if (value == 0)
        return "0";
    // Whole numbers of up to 15 digits are most of what files hold.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return IntToStr(static_cast<long long>(value));
    if (std::string text; ShortDecimal(value, text) || ShortPositional(value, text))
        return WithSeparator(std::move(text));
    Decimal d = ToDecimal15(value);
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    std::string text = d.Negative ? "-" : "";
    // Below 1E-4 the positional form would hide the digits behind zeros.
    const bool scientific = d.Exponent >= 15 || d.Exponent < -4;
    if (scientific) {
        text += d.Digits[0];
        if (d.Digits.size() > 1) {
            text += '.';
            text.append(d.Digits, 1);
        }
        text += 'E';
        text += std::to_string(d.Exponent);
        return WithSeparator(text);
    }
    if (d.Exponent < 0) {
        text += "0." + std::string(static_cast<size_t>(-d.Exponent - 1), '0') + d.Digits;
        return WithSeparator(text);
    }
    const size_t intDigits = static_cast<size_t>(d.Exponent) + 1;
    if (d.Digits.size() <= intDigits)
        return text + d.Digits + std::string(intDigits - d.Digits.size(), '0');
    text += d.Digits.substr(0, intDigits) + "." + d.Digits.substr(intDigits);
    return WithSeparator(text);
}

std::string FloatToStrF(double value, int precision, int digits)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    if (value != 0) {
        const Decimal d = ToDecimal(value, precision);
        if (d.Exponent >= precision) {
            // Too many integer digits for the precision: exponent form.
            std::string mantissa = d.Digits.substr(0, 1) + "." + d.Digits.substr(1);
            char exp[16];
            std::snprintf(exp, sizeof exp, "E+%03d", d.Exponent);
            return WithSeparator((d.Negative ? "-" : "") + mantissa + exp);
        }
        value = std::strtod(
            ((d.Negative ? "-0." : "0.") + d.Digits + "e" + std::to_string(d.Exponent + 1)).c_str(), nullptr);
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    std::string text = buffer;
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // no "-0.00"
    return WithSeparator(text);
}

std::string IntToStr(long long value)
{
    return std::to_string(value);
}

std::string BoolToStr(bool value)
{
    return value ? "Y" : "N";
}

namespace {

std::string_view Trimmed(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

} // namespace

std::string Trim(std::string_view text)
{
    return std::string(Trimmed(text));
}

std::string UpperCase(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

namespace {

// A plain decimal of at most 15 digits, as files hold them: its digits and
// a power of ten are both exact doubles, so one division rounds as
// from_chars would. Anything else is left to from_chars.
bool PlainDecimal(std::string_view text, double &value)
{
    static constexpr double PowersOfTen[]
        = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    const bool negative = !text.empty() && text[0] == '-';
    size_t i = negative ? 1 : 0;
    uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    const auto readDigits = [&](int &read) {
        read = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++read)
            digits = digits * 10 + static_cast<uint64_t>(text[i] - '0');
        count += read;
    };
    int whole = 0;
    readDigits(whole);
    if (i < text.size() && text[i] == '.') {
        ++i;
        readDigits(fraction);
        if (fraction == 0)
            return false;
    }
    if (whole == 0 || i != text.size() || count > 15)
        return false;
    value = static_cast<double>(digits) / PowersOfTen[fraction];
    if (negative)
        value = -value;
    return true;
}

} // namespace

double StrToFloat(std::string_view text)
{
    std::string_view digits = Trimmed(text);
    // Reals are read with a full stop; a copy only when the user's separator
    // is another one.
    std::string separated;
    const char sep = FormatSettings().DecimalSeparator;
    if (sep != '.' && digits.find(sep) != std::string_view::npos) {
        separated.assign(digits);
        std::replace(separated.begin(), separated.end(), sep, '.');
        digits = separated;
    }
    if (!digits.empty() && digits[0] == '+')
        digits.remove_prefix(1);
    double value = 0;
    if (PlainDecimal(digits, value))
        return value;
    const bool plausible = !digits.empty()
        && (std::isdigit(static_cast<unsigned char>(digits[0])) || digits[0] == '-' || digits[0] == '.');
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // The largest reals are written rounded to 15 digits, just past the
    // range; they read back as the largest value, not as an error. Below
    // the smallest real a decimal reads as zero.
    if (ec == std::errc::result_out_of_range && end == digits.data() + digits.size()) {
        const long double wide = std::strtold(std::string(digits).c_str(), nullptr);
        if (std::fabs(wide) < 1) {
            value = static_cast<double>(wide);
            ec = std::errc();
        } else if (std::fabs(wide) <= 1.79769313486232E308L) {
            value = std::copysign(std::numeric_limits<double>::max(), static_cast<double>(wide));
            ec = std::errc();
        }
    }
    if (!plausible || ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

int StrToInt(std::string_view text)
{
    std::string_view digits = Trimmed(text);
    if (!digits.empty() && digits[0] == '+')
        digits.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

bool StrToBool(std::string_view text)
{
    return UpperCase(text) == "Y";
}

TDateTime TDateTime::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    TDateTime d;
    d.Year = local.tm_year + 1900;
    d.Month = local.tm_mon + 1;
    d.Day = local.tm_mday;
    d.Hour = local.tm_hour;
    d.Minute = local.tm_min;
    d.Second = local.tm_sec;
    return d;
}

bool TDateTime::SameDay(const TDateTime &other) const
{
    return Year == other.Year && Month == other.Month && Day == other.Day;
}

std::string DateToStr(const TDateTime &date)
{
    char buffer[40];
    const char sep = FormatSettings().DateSeparator;
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", date.Month, sep, date.Day, sep, date.Year);
    return buffer;
}

namespace {

int DaysInMonth(int year, int month)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

TDateTime StrToDate(std::string_view text)
{
    const std::string s = Trim(text);
    const char sep = FormatSettings().DateSeparator;
    int fields[3] = { 0, 0, 0 };
    int widths[3] = { 0, 0, 0 };
    int field = 0;
    bool ok = !s.empty();
    for (char c : s) {
        if (c == sep) {
            ok = ok && widths[field] > 0 && field < 2;
            if (!ok)
                break;
            ++field;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && widths[field] < 4) {
            fields[field] = fields[field] * 10 + (c - '0');
            ++widths[field];
        } else {
            ok = false;
            break;
        }
    }
    ok = ok && field == 2 && widths[0] <= 2 && widths[1] <= 2 && widths[2] > 0;
    TDateTime d;
    if (ok) {
        d.Month = fields[0];
        d.Day = fields[1];
        d.Year = widths[2] <= 2 ? 2000 + fields[2] : fields[2];
        ok = d.Year >= 1 && d.Month >= 1 && d.Month <= 12 && d.Day >= 1 && d.Day <= DaysInMonth(d.Year, d.Month);
    }
    if (!ok)
        throw EConvertError("'" + std::string(text) + "' is not a valid date");
    return d;
}

} // namespace corvadel
