// Elevation points of a sequence: the pavement, the pole bases and the
// junction points whose differences are entered or solved.
#pragma once

#include "uBaseObject.h"

#include <memory>
#include <string>

namespace corvadel {

class TBaseElevation : public TBaseObject
{
public:
    TBaseElevation() = default;
    TBaseElevation(std::string name, double value);

    double Value = 0;
    std::string Name; // "PV", "P1".."P5", "T", "U", "V", "Y", "C", "D", "G"

    void SetValue(double value) { Assign(Value, value); }
    // True for T, U, V, Y, C, D and G.
    bool IsJunction() const;
    // "BE_" + name for base elevations, "ED_" + name for junction points.
    std::string ElementName() const;

    void WriteXML(TXMLElementWriter &out) const override;
    void FromXML(const TXMLBaseObject &node) override;
};

class TElevationList : public TBaseList<TBaseElevation>
{
public:
    // One letter per junction point in the order "TUVYCDG"; "Y" = entered.
    std::string EnteredFlags = "NNNNNNN";

    void SetEnteredFlags(const std::string &flags);
    // Letter of junction point `name` ('N' for any other name).
    char EnteredFlag(const std::string &name) const;
    bool IsEntered(const std::string &name) const { return EnteredFlag(name) == 'Y'; }

    TBaseElevation *AddPoint(const std::string &name);
    void CopyFrom(const TElevationList &source);
    TBaseElevation *FindByName(const std::string &name) const;
    double ValueOf(const std::string &name) const;
    void SetValueOf(const std::string &name, double value);

    // "ELEVATIONS": every base elevation and the entered junction points.
    std::unique_ptr<TXMLBaseObject> ToXML() const { return BuildXML(*this); }
    void WriteXML(TXMLElementWriter &out) const;
    void FromXML(const TXMLBaseObject &node);

    // Position (0..6) of a junction point in the flags, -1 for other names.
    static int FlagIndex(const std::string &name);
};

} // namespace corvadel
