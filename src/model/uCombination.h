// Two sequences of a project that share a pole.
#pragma once

#include "uResults.h"

#include <memory>

namespace corvadel {

class TCombination : public TBaseObject
{
public:
    double ABAngle = 0; // degrees between the two sequences at the shared pole
    int PoleB = 0;
    int SequenceB = 0;
    int Number = 0;
    int PoleA = 0;
    int SequenceA = 0;
    TCombinationResultList Results;
    double RotationOne = 0; // radians: 0, pi/2, pi or 3pi/2
    double RotationTwo = 0;

    // Working values of the combination analysis, never saved.
    double CombinedMoment = 0; // pound-feet
    double ResultantAngle = 0; // degrees

    void SetABAngle(double value) { Assign(ABAngle, value); }
    void SetPoleB(int value) { Assign(PoleB, value); }
    void SetSequenceB(int value) { Assign(SequenceB, value); }
    void SetNumber(int value) { Assign(Number, value); }
    void SetPoleA(int value) { Assign(PoleA, value); }
    void SetSequenceA(int value) { Assign(SequenceA, value); }
    void SetRotationOne(double value) { Assign(RotationOne, value); }
    void SetRotationTwo(double value) { Assign(RotationTwo, value); }

    // Whether it joins pole `poleA` of sequence `sequenceA` to pole `poleB`
    // of sequence `sequenceB`, either way round.
    bool Ties(int sequenceA, int poleA, int sequenceB, int poleB) const;

    // A quarter turn of the drawing of sequence A (or B), back to 0 after four.
    static double Turned(double rotation);
    void RotateA();
    void RotateB();

    void WriteXML(TXMLElementWriter &out) const override;
    void FromXML(const TXMLBaseObject &node) override;
};

class TCombinationList : public TBaseList<TCombination>
{
public:
    void ClearCombinationResults();
    // Releases the combination at that position; the project is changed.
    void DeleteCombination(int index);
    // After the project removed sequence `number` and renumbered the rest.
    void SequenceRemoved(int number);
};

} // namespace corvadel
