#include "uFormats.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

using namespace corvadel;

TEST(FloatToStr, GeneralFormTable)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        { 0, "0" },
        { 1, "1" },
        { -1, "-1" },
        { 20.6, "20.6" },
        { 100000, "100000" },
        { 0.1, "0.1" },
        { 1.0 / 3.0, "0.333333333333333" },
        { 2.0 / 3.0, "0.666666666666667" },
        { 123456789012345.0, "123456789012345" },
        { 1e15, "1E15" },
        { 1.5e20, "1.5E20" },
        { 0.00001, "1E-5" },
        { 0.000012, "1.2E-5" },
        { 1e-6, "1E-6" },
        { -2.5e-7, "-2.5E-7" },
        { 0.1 + 0.2, "0.3" },
        { 1234.5678, "1234.5678" },
        { -0.0, "0" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(FloatToStr, RoundTripsThroughStrToFloatWithin15Digits)
{
    for (double v : { 20.6, 1e-5, 1e-7, 3.14159265358979, 123.456e30, -0.0625, 5e-324 * 1e300 }) {
        const double back = StrToFloat(FloatToStr(v));
        EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << v;
    }
}

// The general form built the slow way, from printf's rounding to 15 digits.
std::string ReferenceGeneralForm(double value)
{
    if (value == 0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string text = buffer;
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const size_t e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4)
        return out + digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E"
            + std::to_string(exponent);
    if (exponent < 0)
        return out + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

TEST(FloatToStr, AgreesWithPrintfRoundingAcrossMagnitudes)
{
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> exponent(-9, 17);
    std::uniform_int_distribution<int> decimals(0, 17);
    std::uniform_real_distribution<double> mantissa(1, 10);
    for (int i = 0; i < 20000; ++i) {
        // Short decimals as engineers type them, and arbitrary doubles.
        const double scale = std::pow(10.0, decimals(random));
        double value = std::round(mantissa(random) * scale) / scale * std::pow(10.0, exponent(random));
        if (i % 2)
            value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0)
            value = -value;
        ASSERT_EQ(FloatToStr(value), ReferenceGeneralForm(value)) << std::hexfloat << value;
    }
    for (double value : { 1e-4, std::nextafter(1e-4, 0.0), std::nextafter(1e-4, 1.0), 1e-5, std::nextafter(1e-5, 0.0), 1e15, std::nextafter(1e15, 0.0), 999999999999999.5,
             0.1 + 0.2, 99999.99999999999 })
        EXPECT_EQ(FloatToStr(value), ReferenceGeneralForm(value)) << std::hexfloat << value;
}

// Small magnitudes switch to the scientific form below 1E-4, on both sides
// of zero, and every text reads back to the same value.
TEST(FloatToStr, ScientificBelowOneTenThousandth)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        { 0.0001, "0.0001" },
        { -0.0001, "-0.0001" },
        { 0.00012, "0.00012" },
        { 0.00001, "1E-5" },
        { -0.00001, "-1E-5" },
        { 0.000052, "5.2E-5" },
        { -0.000052, "-5.2E-5" },
        { 0.0000999, "9.99E-5" },
        { 0.0000015, "1.5E-6" },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
    }
}

TEST(FloatToStr, LargestRealsReadBack)
{
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(FloatToStr(largest), "1.79769313486232E308");
    EXPECT_EQ(StrToFloat(FloatToStr(largest)), largest);
    EXPECT_EQ(StrToFloat(FloatToStr(-largest)), -largest);
    EXPECT_THROW(StrToFloat("1.8E308"), EConvertError);
}

// Below the smallest real a decimal is too small to tell from zero; it must
// not turn into the largest real on the way.
TEST(StrToFloat, MagnitudesBelowTheSmallestRealReadAsZero)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        { "1e-400", 0.0 },
        { "-1e-400", -0.0 },
        { "1E-330", 0.0 },
        { "2.5e-4000", 0.0 },
        { "4.94065645841247E-324", std::numeric_limits<double>::denorm_min() },
    };
    for (const auto &c : cases) {
        const double read = StrToFloat(c.text);
        EXPECT_EQ(read, c.value) << c.text;
        EXPECT_EQ(std::signbit(read), std::signbit(c.value)) << c.text;
    }
}

TEST(FloatToStr, NonFiniteValuesAreNamedNotPrintedAsGarbage)
{
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
}

TEST(FloatToStrF, FixedWidthTable)
{
    const struct {
        double value;
        int precision, digits;
        const char *text;
    } cases[] = {
        { 120, 8, 2, "120.00" },
        { 2.5, 6, 2, "2.50" },
        { 1.25, 6, 2, "1.25" },
        { -3.14159, 8, 2, "-3.14" },
        { 0.004, 8, 2, "0.00" },
        { -0.004, 8, 2, "0.00" },
        { 123.456789, 5, 2, "123.46" },
        { 1234567.891, 8, 2, "1234567.90" },
        { 123456789.0, 8, 2, "1.2345679E+008" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.precision, c.digits), c.text) << c.value;
}

TEST(StrToFloat, AcceptsWhatTheWriterWritesAndSpaces)
{
    EXPECT_DOUBLE_EQ(StrToFloat("20.6"), 20.6);
    EXPECT_DOUBLE_EQ(StrToFloat(" 1E-5 "), 1e-5);
    EXPECT_DOUBLE_EQ(StrToFloat("1e+05"), 1e5);
    EXPECT_DOUBLE_EQ(StrToFloat("+3"), 3);
    EXPECT_DOUBLE_EQ(StrToFloat("-.5"), -0.5);
}

// Decimals read on the short path must be the very double the standard
// conversion gives, to the last bit.
TEST(StrToFloat, PlainDecimalsReadExactlyAsTheStandardConversion)
{
    const auto standard = [](const std::string &text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    std::mt19937_64 random(1210);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text = std::to_string(random() % 10);
        for (int d = 1; d < digits; ++d)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 4)
            text.insert(1 + random() % text.size(), ".");
        if (text.back() == '.')
            text += '5';
        if (random() % 2)
            text.insert(0, "-");
        ASSERT_EQ(std::bit_cast<uint64_t>(StrToFloat(text)), std::bit_cast<uint64_t>(standard(text))) << text;
    }
    for (const std::string text : { "-0", "0.000000000000001", "999999999999999", "9999999999999999",
             "0.1000000000000000055511151231257827", "1.", "007.50" })
        EXPECT_EQ(std::bit_cast<uint64_t>(StrToFloat(text)), std::bit_cast<uint64_t>(standard(text))) << text;
}

TEST(StrToFloat, MalformedTextThrowsNamingTheText)
{
    for (const char *bad : { "", "abc", "1.2.3", "12ft", "nan", "inf", "1e999", "--1", "0x10", "-", ".", "-.", "1-" }) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConvertError &error) {
            EXPECT_NE(std::string(error.what()).find(std::string("'") + bad + "'"), std::string::npos) << error.what();
        }
    }
}

TEST(StrToFloat, HonoursTheUserDecimalSeparator)
{
    FormatSettings().DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("20,6"), 20.6);
    EXPECT_EQ(FloatToStr(20.6), "20,6");
    EXPECT_EQ(FloatToStrF(1.5, 8, 2), "1,50");
    FormatSettings().DecimalSeparator = '.';
}

TEST(StrToInt, ConvertsOrThrows)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -7 "), -7);
    EXPECT_THROW(StrToInt("1.5"), EConvertError);
    EXPECT_THROW(StrToInt(""), EConvertError);
    EXPECT_THROW(StrToInt("99999999999"), EConvertError);
}

TEST(StrToBool, TrueOnlyForUpperCasedY)
{
    EXPECT_TRUE(StrToBool("Y"));
    EXPECT_TRUE(StrToBool("y"));
    EXPECT_FALSE(StrToBool("N"));
    EXPECT_FALSE(StrToBool("Yes"));
    EXPECT_FALSE(StrToBool(""));
}

TEST(Dates, WrittenMonthDayYearAndReadBack)
{
    TDateTime d;
    d.Year = 2026;
    d.Month = 3;
    d.Day = 7;
    EXPECT_EQ(DateToStr(d), "03/07/2026");
    const TDateTime back = StrToDate("03/07/2026");
    EXPECT_TRUE(back.SameDay(d));
    EXPECT_TRUE(StrToDate("3/7/2026").SameDay(d));
}

TEST(Dates, MalformedDatesThrowNamingTheText)
{
    for (const char *bad : { "", "13/01/2020", "02/30/2021", "2020-01-01", "1/2", "01/02/2020/1", "ab/cd/efgh" }) {
        try {
            StrToDate(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EConvertError &error) {
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos);
        }
    }
    EXPECT_TRUE(StrToDate("02/29/2024").SameDay(StrToDate("2/29/2024")));
}
