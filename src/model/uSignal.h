// Signals and signs hung on a span, kept sorted by distance.
#pragma once

#include "uBaseObject.h"

#include <memory>
#include <string>

namespace corvadel {

class TTARVOParameters;

class TBaseSignal : public TBaseObject
{
public:
    TBaseSignal() = default;
    TBaseSignal(const TBaseSignal &source);

    bool IsSignal = false;
    double Weight = 0; // signal: its dead load; sign: pounds per square foot
    double SimpleDeadLoad = 0; // pounds
    double Hanger = 0; // pounds
    double Height = 0; // feet
    double SimpleAreaFactor = 0; // square feet
    double LensSize = 0; // inches
    double Distance = 0; // feet from the start of the span
    int Sections = 0;
    std::string Material;
    std::string SignalType;
    std::string Description;
    std::string Code;
    double SignArea = 0; // square feet
    int Number = 0;
    double LoadMultiplier = 1;
    double AreaMultiplier = 1;

    // Working values of the span statics, never saved.
    double Elevation = 0;
    double HeightAboveLowest = 0;

    void SetIsSignal(bool value) { Assign(IsSignal, value); }
    void SetWeight(double value) { Assign(Weight, value); }
    void SetSimpleDeadLoad(double value) { Assign(SimpleDeadLoad, value); }
    void SetHanger(double value) { Assign(Hanger, value); }
    void SetHeight(double value) { Assign(Height, value); }
    void SetSimpleAreaFactor(double value) { Assign(SimpleAreaFactor, value); }
    void SetLensSize(double value) { Assign(LensSize, value); }
    void SetDistance(double value) { Assign(Distance, value); }
    void SetSections(int value) { Assign(Sections, value); }
    void SetMaterial(const std::string &value) { Assign(Material, value); }
    void SetSignalType(const std::string &value) { Assign(SignalType, value); }
    void SetDescription(const std::string &value) { Assign(Description, value); }
    void SetCode(const std::string &value) { Assign(Code, value); }
    void SetSignArea(double value) { Assign(SignArea, value); }
    void SetNumber(int value) { Assign(Number, value); }
    void SetLoadMultiplier(double value) { Assign(LoadMultiplier, value); }
    void SetAreaMultiplier(double value) { Assign(AreaMultiplier, value); }

    double DeadLoad() const { return SimpleDeadLoad * LoadMultiplier; }
    double WindArea() const { return SimpleAreaFactor * AreaMultiplier; }

    // A sign's total weight and area factor from its face.
    static double SignTotalWeight(double signArea, double unitWeight, double hanger);
    static double SignAreaFactor(double signArea, const TTARVOParameters &parameters);

    void WriteXML(TXMLElementWriter &out) const override;
    void FromXML(const TXMLBaseObject &node) override;
};

class TSignalList : public TBaseList<TBaseSignal>
{
public:
    // Stable sort by distance, then Number := position (1-based).
    void SortAndRenumber();
    TBaseSignal *FindByNumber(int number) const;
    // Releases signals from the far end while they lie at or beyond `length`.
    void RemoveBeyond(double length);
    void CopyFrom(const TSignalList &source);

    double SumDeadLoads() const;
    double SumWindAreas() const;
    // Moment of the dead loads about the start of the span.
    double SumMoments() const;
};

} // namespace corvadel
