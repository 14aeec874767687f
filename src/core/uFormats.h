// Text forms shared by every file the program reads or writes: numbers,
// "Y"/"N" flags and dates, with the user's separators.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace corvadel {

// Raised when text does not convert to the number or date it should hold.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Raised when a file cannot be opened, read or written.
class EFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TFormatSettings {
    char DecimalSeparator = '.';
    char DateSeparator = '/';
};

// The process-wide number and date settings (period and slash by default).
TFormatSettings &FormatSettings();

inline constexpr double Pi = 3.1415926535897932385;
inline constexpr double RadToDeg = 57.295779513082320877;

// Shortest text with at most 15 significant digits, trailing zeros removed,
// "E" exponent form below 1E-5 or from 1E15 on.
std::string FloatToStr(double value);
// Rounded to `precision` significant digits and shown with `digits` decimals.
std::string FloatToStrF(double value, int precision, int digits);
std::string IntToStr(long long value);
std::string BoolToStr(bool value); // "Y" or "N"

double StrToFloat(std::string_view text);
int StrToInt(std::string_view text);
bool StrToBool(std::string_view text); // true exactly when upper-cased text is "Y"

std::string Trim(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b); // ASCII case-insensitive

// A calendar date with time of day, as the project details keep it.
struct TDateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;

    static TDateTime Now();
    bool operator==(const TDateTime &) const = default;
    bool SameDay(const TDateTime &other) const;
};

std::string DateToStr(const TDateTime &date); // "MM/DD/YYYY"
TDateTime StrToDate(std::string_view text);   // month, day, year; throws EConvertError

} // namespace corvadel
