// Result records of the last calculation: plain data filled by the engine and
// read by the result windows and reports.
#pragma once

#include "uBaseObject.h"

namespace corvadel {

class TBaseSignalResult : public TBaseObject
{
public:
    bool IsSignal = false;
    double HeightAboveLowest = 0; // feet
    int SignalNumber = 0;
};

class TBaseSignalResultList : public TBaseList<TBaseSignalResult>
{
public:
    TBaseSignalResult *FindBySignalNumber(int number) const;
};

class TBaseWireResult : public TBaseObject
{
public:
    double TensionRelation = 0;
    double EndReaction = 0; // pounds
    double ElevationDifference = 0; // feet
    double LowPointDistance = 0; // feet
    double SAG = 0; // feet below the end of the span
    TBaseSignalResultList SignalResults;
    int SpanNumber = 0;
    double PlanDirection = 0; // degrees
    double PlanLength = 0; // feet, in the plan PlanDirection belongs to
};

class TBaseWireResultList : public TBaseList<TBaseWireResult>
{
public:
    TBaseWireResult *FindBySpanNumber(int number) const;
};

class TBasePoleResult : public TBaseObject
{
public:
    double StringingTension = 0; // pounds
    double BaseMoment = 0; // pound-feet
    double AttachmentElevation = 0; // feet
    double AttachmentHeight = 0; // feet
    int PoleNumber = 0;
    double CalculatedPlanAngle = 0; // degrees
    double PlanAngle = 0; // degrees
};

class TBasePoleResultList : public TBaseList<TBasePoleResult>
{
public:
    TBasePoleResult *FindByPoleNumber(int number) const;
};

class TWireConfigurationResult : public TBaseObject
{
public:
    int Number = 0;
    bool AtMaxSAG = true;
    double SystemSAG = 0; // feet
    double MaxWireLoad = 0; // pounds
    TBaseWireResultList SpanResults;
    TBasePoleResultList PoleResults;
    double Rotation = 0; // degrees
    bool AnglesChanged = false;
    double InitialRotation = 0; // degrees
    double Tension = 0; // pounds, the sequence tension the search ended with
    int Iterations = 0; // of the tension search
};

class TWireConfigurationResultList : public TBaseList<TWireConfigurationResult>
{
public:
    TWireConfigurationResult *FindByAtMaxSAG(bool atMaxSAG) const;
};

class TCombinationResult : public TBaseObject
{
public:
    double ResultantAngle = 0; // degrees
    double CombinedMoment = 0; // pound-feet
    bool AtMaxSAG = true;
};

class TCombinationResultList : public TBaseList<TCombinationResult>
{
public:
    TCombinationResult *FindByAtMaxSAG(bool atMaxSAG) const;
};

} // namespace corvadel
