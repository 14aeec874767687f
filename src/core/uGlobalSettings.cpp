#include "uGlobalSettings.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <algorithm>
#include <initializer_list>

namespace corvadel {

namespace {

const char *const ApplicationSection = "APPLICATION SETTING";
const char *const DesignSection = "DESIGN DATA";
const char *const DefaultsSection = "DEFAULT VALUES";
const char *const GraphicsSection = "GRAPHICS SETTING";

// Reads one key; text that does not convert is reported with the file,
// section, key and text, and the key keeps its default.
class TSettingsReader
{
public:
    TSettingsReader(const TIniFile &ini, std::vector<std::string> &warnings)
        : Ini(ini)
        , Warnings(warnings)
    {
    }

    template<class T, class Convert>
    T Read(const char *section, const char *key, T defaultValue, const std::string &defaultText, Convert convert)
    {
        const std::string text = Ini.ReadString(section, key, defaultText);
        try {
            return convert(text);
        } catch (const EConvertError &error) {
            Warnings.push_back(Ini.FileName() + ": [" + section + "] " + key + "=" + text + ": " + error.what()
                               + "; the default " + defaultText + " is used");
            return defaultValue;
        }
    }
    // A number the calculation cannot work with is reported as the
    // Parameters dialog refuses it, and the key keeps its default.
    void Real(const char *section, const char *key, TTARVOParameters &parameters, double TTARVOParameters::*field)
    {
        double &stored = parameters.*field;
        const double value = Read(section, key, stored, FloatToStr(stored), [](const std::string &t) {
            return StrToFloat(t);
        });
        const std::string problem = TTARVOParameters::RangeProblem(field, value);
        if (problem.empty()) {
            stored = value;
            return;
        }
        Warnings.push_back(Ini.FileName() + ": [" + section + "] " + key + "=" + Ini.ReadString(section, key, "")
                           + ": " + problem + "; the default " + FloatToStr(stored) + " is used");
    }
    int Integer(const char *section, const char *key, int defaultValue)
    {
        return Read(section, key, defaultValue, IntToStr(defaultValue), [](const std::string &t) {
            return StrToInt(t);
        });
    }
    // True exactly when the text is "Y" in any case. Any text but "Y" or "N"
    // reads that way too, and is reported.
    bool Flag(const char *section, const char *key, bool defaultValue)
    {
        const std::string text = Ini.ReadString(section, key, BoolToStr(defaultValue));
        const bool value = StrToBool(text);
        if (!SameText(text, "Y") && !SameText(text, "N"))
            Warnings.push_back(Ini.FileName() + ": [" + section + "] " + key + "=" + text + ": '" + text
                               + "' is neither Y nor N; read as " + BoolToStr(value));
        return value;
    }
    TFontSpec Font(const char *section, const char *key, const TFontSpec &defaultValue)
    {
        return Read(section, key, defaultValue, defaultValue.ToText(), [](const std::string &t) {
            return TFontSpec::FromText(t);
        });
    }

private:
    const TIniFile &Ini;
    std::vector<std::string> &Warnings;
};

// The drawing colours and fonts, in the order they are written.
struct TColorKey {
    const char *Key;
    int TCustomColor::*Field;
};
const TColorKey ColorKeys[] = {
    {"Image Background", &TCustomColor::ImageBackground}, {"Pole Color", &TCustomColor::PoleColor},
    {"Ring Color", &TCustomColor::RingColor},             {"Line Color", &TCustomColor::LineColor},
    {"Wire Color", &TCustomColor::WireColor},             {"Sign Color", &TCustomColor::SignColor},
    {"Signal Color", &TCustomColor::SignalColor},
};
struct TFontKey {
    const char *Key;
    TFontSpec TCustomColor::*Field;
};
const TFontKey FontKeys[] = {
    {"Pole Font", &TCustomColor::PoleFont},         {"Ring Font", &TCustomColor::RingFont},
    {"Wire Font", &TCustomColor::WireFont},         {"Angle Font", &TCustomColor::AngleFont},
    {"Elevation Font", &TCustomColor::ElevationFont},
};

TFontSpec ArialOf(int color)
{
    TFontSpec font;
    font.Color = color;
    return font;
}

} // namespace

TFontSpec TFontSpec::FromText(std::string_view text)
{
    const std::string trimmed = Trim(text);
    const size_t first = trimmed.find(',');
    const size_t second = first == std::string::npos ? first : trimmed.find(',', first + 1);
    const size_t third = second == std::string::npos ? second : trimmed.find(',', second + 1);
    if (third == std::string::npos)
        throw EConvertError("'" + std::string(text) + "' is not a valid font: face,size,style,colour expected");
    TFontSpec font;
    font.Name = trimmed.substr(0, first);
    font.Size = StrToInt(trimmed.substr(first + 1, second - first - 1));
    font.Style = StrToInt(trimmed.substr(second + 1, third - second - 1));
    font.Color = StrToInt(trimmed.substr(third + 1));
    return font;
}

std::string TFontSpec::ToText() const
{
    return Name + "," + IntToStr(Size) + "," + IntToStr(Style) + "," + IntToStr(Color);
}

TCustomColor::TCustomColor()
{
    SetDefaults();
}

void TCustomColor::SetDefaults()
{
    PoleColor = 255;
    LineColor = 0;
    WireColor = 32768;
    RingColor = 255;
    ImageBackground = 16777215;
    SignColor = 0;
    SignalColor = 65535;
    WireFont = ArialOf(32768);
    AngleFont = ArialOf(8421376);
    PoleFont = ArialOf(16777215);
    ElevationFont = ArialOf(8388608);
    RingFont = ArialOf(255);
}

void TCustomColor::Load(const TIniFile &ini, std::vector<std::string> &warnings)
{
    SetDefaults();
    if (!FileExists(ini.FileName()))
        return;
    TSettingsReader reader(ini, warnings);
    for (const TColorKey &color : ColorKeys)
        this->*color.Field = reader.Integer(GraphicsSection, color.Key, this->*color.Field);
    for (const TFontKey &font : FontKeys)
        this->*font.Field = reader.Font(GraphicsSection, font.Key, this->*font.Field);
}

void TCustomColor::Save(TIniFile &ini) const
{
    for (const TColorKey &color : ColorKeys)
        ini.WriteString(GraphicsSection, color.Key, IntToStr(this->*color.Field));
    for (const TFontKey &font : FontKeys)
        ini.WriteString(GraphicsSection, font.Key, (this->*font.Field).ToText());
}

void TTARVOParameters::SetDefaults()
{
    RelativeSignal = true;
    VariableWire = false;
    Warp = false;
    WireWeight = 1;
    SAGTolerance = 1;
    Tension = 1000;
    WindPressure = 42;
    DefaultMinSAG = 0;
    DefaultMaxSAG = 0;
    DesignFactor = 1.8;
    MinClearance = 20.6;
    MinSignalClearance = 15;
    MaxTension = 100000;
    AreaFactor = 0.1;
}

void TTARVOParameters::Load(const TIniFile &ini, std::vector<std::string> &warnings)
{
    SetDefaults();
    if (!FileExists(ini.FileName()))
        return;
    TSettingsReader reader(ini, warnings);
    reader.Real(DesignSection, "Min Clearance", *this, &TTARVOParameters::MinClearance);
    reader.Real(DesignSection, "Min Signal Clearance", *this, &TTARVOParameters::MinSignalClearance);
    reader.Real(DesignSection, "Wire Weight", *this, &TTARVOParameters::WireWeight);
    reader.Real(DesignSection, "Wind Pressure", *this, &TTARVOParameters::WindPressure);
    RelativeSignal = reader.Flag(DesignSection, "Relative Signal", RelativeSignal);
    VariableWire = reader.Flag(DesignSection, "Variable Wire", VariableWire);
    Warp = reader.Flag(DesignSection, "Warp", Warp);
    reader.Real(DefaultsSection, "Tension", *this, &TTARVOParameters::Tension);
    reader.Real(DefaultsSection, "Design Factor", *this, &TTARVOParameters::DesignFactor);
    reader.Real(DefaultsSection, "SAG_Tollerance", *this, &TTARVOParameters::SAGTolerance);
    reader.Real(DefaultsSection, "Max Tension", *this, &TTARVOParameters::MaxTension);
    reader.Real(DefaultsSection, "Area Factor", *this, &TTARVOParameters::AreaFactor);
}

std::string TTARVOParameters::RangeProblem(double TTARVOParameters::*field, double value)
{
    if (field == &TTARVOParameters::SAGTolerance && value > MaxSAGTolerance)
        return "must not exceed " + FloatToStr(MaxSAGTolerance) + " (hundredths of a foot)";
    const bool zeroAllowed = field != &TTARVOParameters::Tension && field != &TTARVOParameters::DesignFactor
                             && field != &TTARVOParameters::SAGTolerance && field != &TTARVOParameters::MaxTension;
    if (value > 0 || (value == 0 && zeroAllowed))
        return {};
    return zeroAllowed ? "cannot be negative" : "must be greater than 0";
}

void TTARVOParameters::Save(TIniFile &ini) const
{
    ini.WriteString(DesignSection, "Min Clearance", FloatToStr(MinClearance));
    ini.WriteString(DesignSection, "Min Signal Clearance", FloatToStr(MinSignalClearance));
    ini.WriteString(DesignSection, "Wire Weight", FloatToStr(WireWeight));
    ini.WriteString(DesignSection, "Wind Pressure", FloatToStr(WindPressure));
    ini.WriteString(DesignSection, "Relative Signal", BoolToStr(RelativeSignal));
    ini.WriteString(DesignSection, "Variable Wire", BoolToStr(VariableWire));
    ini.WriteString(DesignSection, "Warp", BoolToStr(Warp));
    ini.WriteString(DefaultsSection, "Tension", FloatToStr(Tension));
    ini.WriteString(DefaultsSection, "Design Factor", FloatToStr(DesignFactor));
    ini.WriteString(DefaultsSection, "SAG_Tollerance", FloatToStr(SAGTolerance));
    ini.WriteString(DefaultsSection, "Max Tension", FloatToStr(MaxTension));
    ini.WriteString(DefaultsSection, "Area Factor", FloatToStr(AreaFactor));
}

TGlobalSetting::TGlobalSetting() = default;

TGlobalSetting::TGlobalSetting(std::string programPath)
    : ProgramPath(std::move(programPath)), Locations(LocateFiles(ProgramPath))
{
    const std::string catalogue = CodeListPath();
    try {
        CodeList.Load(catalogue);
    } catch (const EFileError &) {
        const std::string where = Locations.CatalogueFound
                                      ? catalogue
                                      : catalogue + " (nor in " + ExtractFilePath(ProgramPath) + "../share/corvadel/)";
        Warnings.push_back("The catalogue " + where
                           + " could not be opened; no typical signals, signs or wires are offered.");
    }
    Warnings.insert(Warnings.end(), CodeList.Warnings.begin(), CodeList.Warnings.end());
    Load(SettingsPath());
}

std::string TGlobalSetting::SettingsPath() const
{
    return Locations.Settings;
}

std::string TGlobalSetting::CodeListPath() const
{
    return Locations.Catalogue;
}

void TGlobalSetting::Load(const std::string &path)
{
    const std::string defPath = ChangeFileExt(path, ".def");
    TIniFile ini(defPath);
    ResizeForm = true;
    EnableDisplayLabel = false;
    EnableDynamicDisplay = false;
    AutomaticProjectDetail = false;
    PrintLoadedProfiles = false;
    PrintSAGStudies = false;
    if (FileExists(defPath)) {
        TSettingsReader reader(ini, Warnings);
        ResizeForm = reader.Flag(ApplicationSection, "Resize Form", ResizeForm);
        EnableDisplayLabel = reader.Flag(ApplicationSection, "Enable Display Label", EnableDisplayLabel);
        EnableDynamicDisplay = reader.Flag(ApplicationSection, "Enable Dynamic Display", EnableDynamicDisplay);
        AutomaticProjectDetail = reader.Flag(ApplicationSection, "Automatic Project Detail", AutomaticProjectDetail);
        PrintLoadedProfiles = reader.Flag(ApplicationSection, "Print Loaded Profiles", PrintLoadedProfiles);
        PrintSAGStudies = reader.Flag(ApplicationSection, "Print SAG Studies", PrintSAGStudies);
    }
    Parameters.Load(ini, Warnings);
    Colors.Load(ini, Warnings);
}

void TGlobalSetting::Save(const std::string &path) const
{
    const std::string defPath = ChangeFileExt(path, ".def");
    // The settings own their four sections, written afresh in their order;
    // sections kept by others (the main window's) stay as they are.
    TIniFile ini(defPath);
    for (const char *section : {ApplicationSection, DesignSection, DefaultsSection, GraphicsSection})
        ini.EraseSection(section);
    ini.WriteString(ApplicationSection, "Resize Form", BoolToStr(ResizeForm));
    ini.WriteString(ApplicationSection, "Enable Display Label", BoolToStr(EnableDisplayLabel));
    ini.WriteString(ApplicationSection, "Enable Dynamic Display", BoolToStr(EnableDynamicDisplay));
    ini.WriteString(ApplicationSection, "Automatic Project Detail", BoolToStr(AutomaticProjectDetail));
    ini.WriteString(ApplicationSection, "Print Loaded Profiles", BoolToStr(PrintLoadedProfiles));
    // Written only when on, so a settings file from before reads and writes as it was.
    if (PrintSAGStudies)
        ini.WriteString(ApplicationSection, "Print SAG Studies", BoolToStr(PrintSAGStudies));
    Parameters.Save(ini);
    Colors.Save(ini);
    ini.UpdateFile();
}

double TGlobalSetting::MaxOfEight(double a, double b, double c, double d, double e, double f, double g, double h)
{
    return std::max({a, b, c, d, e, f, g, h});
}

std::string TGlobalSetting::Caption(const std::string &fileName)
{
    return std::string(ProductAcronym) + " - " + ProductTitle + "  [" + (fileName.empty() ? "<new>" : fileName) + "]";
}

} // namespace corvadel
