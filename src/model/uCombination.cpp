#include "uCombination.h"

#include "uElementValue.h"
#include "uFormats.h"

namespace corvadel {

namespace {

constexpr double QuarterTurn = Pi / 2;
constexpr double LastQuarterBound = 15 * Pi / 8;

} // namespace

bool TCombination::Ties(int sequenceA, int poleA, int sequenceB, int poleB) const
{
    const auto joins = [this](int sequence1, int pole1, int sequence2, int pole2) {
        return SequenceA == sequence1 && PoleA == pole1 && SequenceB == sequence2 && PoleB == pole2;
    };
    return joins(sequenceA, poleA, sequenceB, poleB) || joins(sequenceB, poleB, sequenceA, poleA);
}

double TCombination::Turned(double rotation)
{
    rotation += QuarterTurn;
    return rotation > LastQuarterBound ? 0 : rotation;
}

void TCombination::RotateA()
{
    SetRotationOne(Turned(RotationOne));
}

void TCombination::RotateB()
{
    SetRotationTwo(Turned(RotationTwo));
}

void TCombination::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("COMBINATION");
    out.Leaf("COMBINATION_NUMBER", IntToStr(Number));
    out.Leaf("POLE_A", IntToStr(PoleA));
    out.Leaf("SEQUENCE_A", IntToStr(SequenceA));
    out.Leaf("POLE_B", IntToStr(PoleB));
    out.Leaf("SEQUENCE_B", IntToStr(SequenceB));
    out.Leaf("AB_ANGLE", FloatToStr(ABAngle));
    out.Leaf("ROTATION_ONE", FloatToStr(RotationOne));
    out.Leaf("ROTATION_TWO", FloatToStr(RotationTwo));
    out.End();
}

void TCombination::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "COMBINATION")
        return;
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name == "COMBINATION_NUMBER")
            Number = ElementInt(*child);
        else if (name == "POLE_A")
            PoleA = ElementInt(*child);
        else if (name == "SEQUENCE_A")
            SequenceA = ElementInt(*child);
        else if (name == "POLE_B")
            PoleB = ElementInt(*child);
        else if (name == "SEQUENCE_B")
            SequenceB = ElementInt(*child);
        else if (name == "AB_ANGLE")
            ABAngle = ElementFloat(*child);
        else if (name == "ROTATION_ONE")
            RotationOne = ElementFloat(*child);
        else if (name == "ROTATION_TWO")
            RotationTwo = ElementFloat(*child);
    }
}

void TCombinationList::ClearCombinationResults()
{
    for (TCombination *combination : *this)
        combination->Results.FreeAll();
}

void TCombinationList::DeleteCombination(int index)
{
    Delete(index);
    Modified = true;
}

void TCombinationList::SequenceRemoved(int number)
{
    for (int i = Count() - 1; i >= 0; --i) {
        TCombination *combination = Objects(i);
        if (combination->SequenceA == number || combination->SequenceB == number) {
            DeleteCombination(i);
            continue;
        }
        if (combination->SequenceA > number)
            combination->SetSequenceA(combination->SequenceA - 1);
        if (combination->SequenceB > number)
            combination->SetSequenceB(combination->SequenceB - 1);
    }
}

} // namespace corvadel
