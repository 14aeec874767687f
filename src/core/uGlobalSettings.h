// The one settings object of a run: application flags, drawing colours and
// fonts, design parameters, the catalogue and the product's identity.
#pragma once

#include "uCodes.h"
#include "uFileLocations.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvadel {

class TIniFile;

// A font as the settings file stores it: "face,size,style bits,colour".
struct TFontSpec {
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    std::string Name = "Arial";
    int Size = 6;
    int Style = 0;
    int Color = 0; // 0x00BBGGRR

    static TFontSpec FromText(std::string_view text); // throws EConvertError
    std::string ToText() const;
    bool operator==(const TFontSpec &) const = default;
};

class TCustomColor : public TBaseObject
{
public:
    TCustomColor();

    int PoleColor = 255;
    int LineColor = 0;
    int WireColor = 32768;
    int RingColor = 255;
    int ImageBackground = 16777215;
    int SignColor = 0;
    int SignalColor = 65535;
    TFontSpec WireFont;
    TFontSpec AngleFont;
    TFontSpec PoleFont;
    TFontSpec ElevationFont;
    TFontSpec RingFont;

    void SetDefaults();
    void Load(const TIniFile &ini, std::vector<std::string> &warnings);
    void Save(TIniFile &ini) const;
};

class TTARVOParameters : public TBaseObject
{
public:
    bool RelativeSignal = true;
    bool VariableWire = false;
    bool Warp = false;
    double WireWeight = 1;
    double SAGTolerance = 1;
    double Tension = 1000;
    double WindPressure = 42;
    double DefaultMinSAG = 0;
    double DefaultMaxSAG = 0;
    double DesignFactor = 1.8;
    double MinClearance = 20.6;
    // Bottom of a signal housing or sign over the roadway, feet.
    double MinSignalClearance = 15;
    double MaxTension = 100000;
    double AreaFactor = 0.1;

    void SetDefaults();
    void Load(const TIniFile &ini, std::vector<std::string> &warnings);
    void Save(TIniFile &ini) const;

    // The SAG search accepts a SAG this many hundredths of a foot from its
    // target; a wider band would pass a SAG far from the one asked for.
    static constexpr double MaxSAGTolerance = 10;

    // Why `value` cannot stand in `field` ("cannot be negative", "must be
    // greater than 0"); empty when it can. Weights and clearances may be 0;
    // a tension, tolerance or design factor of 0 would stop the calculation
    // or accept any design, and the tolerance has its upper bound.
    static std::string RangeProblem(double TTARVOParameters::*field, double value);
};

class TGlobalSetting : public TBaseObject
{
public:
    static constexpr const char *Maker = "Velmark";
    static constexpr const char *ProductTitle = "Corvadel";
    static constexpr const char *ProductAcronym = "TARVO";
    static constexpr const char *Version = CORVADEL_VERSION;
    static constexpr const char *WebPage = "https://corvadel.example/help";

    // Reads the catalogue and the settings file where LocateFiles finds them.
    // Neither a missing nor a malformed file stops the start: each problem
    // is added to Warnings and the affected values keep their defaults.
    explicit TGlobalSetting(std::string programPath);
    // Defaults only, reading nothing: for tests and tools.
    TGlobalSetting();

    std::string ProgramPath;
    TFileLocations Locations;
    TCustomColor Colors;
    TTARVOParameters Parameters;
    bool ResizeForm = true;
    bool EnableDisplayLabel = false;
    bool EnableDynamicDisplay = false;
    bool AutomaticProjectDetail = false;
    bool PrintLoadedProfiles = false;
    bool PrintSAGStudies = false;
    TCodeList CodeList;

    std::vector<std::string> Warnings;

    std::string SettingsPath() const;
    std::string CodeListPath() const;

    // Loads from the ".def" file of `path` (program path or settings file).
    void Load(const std::string &path);
    // Throws EFileError when the file cannot be written.
    void Save(const std::string &path) const;

    static double MaxOfEight(double a, double b, double c, double d, double e, double f, double g, double h);

    // The main window's caption for a project file name ("" for a new one).
    static std::string Caption(const std::string &fileName);
};

} // namespace corvadel
