#include "uCombination.h"

#include "uElementValue.h"
#include "uFormats.h"

namespace corvadel {

namespace {

constexpr double QuarterTurn = Pi / 2;
constexpr double LastQuarterBound = 15 * Pi / 8;

double Turned(double rotation)
{
    rotation += QuarterTurn;
    return rotation > LastQuarterBound ? 0 : rotation;
}

} // namespace

void TCombination::RotateA()
{
    SetRotationOne(Turned(RotationOne));
}

void TCombination::RotateB()
{
    SetRotationTwo(Turned(RotationTwo));
}

std::unique_ptr<TXMLBaseObject> TCombination::ToXML() const
{
    auto node = std::make_unique<TXMLBaseObject>("COMBINATION");
    node->AddChild("COMBINATION_NUMBER", IntToStr(Number));
    node->AddChild("POLE_A", IntToStr(PoleA));
    node->AddChild("SEQUENCE_A", IntToStr(SequenceA));
    node->AddChild("POLE_B", IntToStr(PoleB));
    node->AddChild("SEQUENCE_B", IntToStr(SequenceB));
    node->AddChild("AB_ANGLE", FloatToStr(ABAngle));
    node->AddChild("ROTATION_ONE", FloatToStr(RotationOne));
    node->AddChild("ROTATION_TWO", FloatToStr(RotationTwo));
    return node;
}

void TCombination::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "COMBINATION")
        return;
    for (const auto &child : node.Children) {
        const std::string &name = child->Name;
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
