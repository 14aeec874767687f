// Poles and rings of a sequence, and the pole-to-pole distances of its plan.
#pragma once

#include "uBaseObject.h"

namespace corvadel {

class TBasePole : public TBaseObject
{
public:
    TBasePole() = default;
    TBasePole(int number, bool isRing);

    bool IsRing = false; // rings are the junctions in the air, 100..103
    int Number = 0;
    // The base moment the pole may carry, pound-feet; 0 = not given.
    double AllowableMoment = 0;

    void SetAllowableMoment(double value) { Assign(AllowableMoment, value); }

    // Working values of the engine, never saved.
    double StringingTension = 0; // pounds
    double AttachmentHeight = 0; // feet above the pole base
    double AttachmentElevation = 0; // feet
    double BaseMoment = 0; // pound-feet
    double PlanAngle = 0; // degrees
    double CalculatedPlanAngle = 0; // degrees
};

class TPoleList : public TBaseList<TBasePole>
{
public:
    TBasePole *AddPole(int number, bool isRing);
    TBasePole *FindByNumber(int number) const;
    // Numbers, ring flags and allowable moments.
    void CopyFrom(const TPoleList &source);
    // False also for a node that is not in the list.
    bool IsRingNode(int number) const;
};

class TPoleDistance : public TBaseObject
{
public:
    double Index = 0; // 0..n-1 at creation, 1..n once the plan geometry ran
    double Distance = 0; // feet
};

class TPoleDistanceList : public TBaseList<TPoleDistance>
{
public:
    void Initialise(int count);
};

} // namespace corvadel
