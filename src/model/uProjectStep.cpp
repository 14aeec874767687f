#include "uProjectStep.h"

#include "uTopology.h"
#include "uWires.h"
#include "uXMLBaseObject.h"

#include <stdexcept>
#include <unordered_set>

namespace corvadel {

namespace {

template<class List>
std::string ElementsText(const List &objects)
{
    TXMLTextWriter writer(true);
    for (const auto *object : objects)
        object->WriteXML(writer);
    std::string text = std::move(writer.Text());
    text.shrink_to_fit(); // kept for the whole history: no room to grow
    return text;
}

std::string SequenceText(const TWireConfiguration &sequence)
{
    const TWireConfiguration *one[] = {&sequence};
    return ElementsText(one);
}

std::unique_ptr<TWireConfiguration> ReadSequence(const TWireConfigurationList &project, const std::string &text)
{
    TXMLBaseObject root;
    root.Parse(text);
    const TXMLBaseObject &element = *root.Children.front();
    auto sequence = project.CreateSequence(SequenceTypeOfElement(element.Name));
    sequence->FromXML(element);
    return sequence;
}

void ReadCombinations(TCombinationList &combinations, const std::string &text)
{
    combinations.FreeAll();
    TXMLBaseObject root;
    root.Parse(text);
    for (const TXMLBaseObject *element : root.Children) {
        auto combination = std::make_unique<TCombination>();
        combination->FromXML(*element);
        combinations.Add(std::move(combination));
    }
}

std::vector<int> Numbers(const TWireConfigurationList &project)
{
    std::vector<int> numbers;
    numbers.reserve(size_t(project.Count()));
    for (const TWireConfiguration *sequence : project)
        numbers.push_back(sequence->Number);
    return numbers;
}

} // namespace

TProjectStep::TProjectStep(const TWireConfigurationList &project, TStepScope scope)
    : FScope(scope)
    , Touched(scope.Sequence ? project.FindByNumber(scope.Sequence) : nullptr)
{
    Keep(project, Before, Touched);
    if (FScope.Parts & ppSequenceList) {
        for (const TWireConfiguration *sequence : project)
            Order.push_back(sequence);
        Before.Numbers = Numbers(project);
    }
}

void TProjectStep::Keep(const TWireConfigurationList &project, TState &state, const TWireConfiguration *touched) const
{
    if (touched) {
        const int index = project.IndexOf(touched);
        // Only a step over the list of sequences may add or remove one.
        if (index < 0)
            throw std::logic_error("a step removed a sequence it was not allowed to");
        state.Sequences.push_back({index, true, SequenceText(*touched)});
    }
    if (FScope.Parts & ppCombinations)
        state.Combinations = ElementsText(project.Combinations);
    if (FScope.Parts & ppDetails)
        state.Details = {project.ProjectName, project.Author, project.Comments, project.ProjectDate};
}

void TProjectStep::Finish(const TWireConfigurationList &project)
{
    if (FScope.Parts & ppSequenceList)
        KeepListChange(project);
    else
        Keep(project, After, Touched);
    Order = {};
    Touched = nullptr;
}

void TProjectStep::KeepListChange(const TWireConfigurationList &project)
{
    const std::unordered_set<const TWireConfiguration *> before(Order.begin(), Order.end());
    std::unordered_set<const TWireConfiguration *> after;
    for (const TWireConfiguration *sequence : project)
        after.insert(sequence);
    std::vector<int> keptBefore;
    for (size_t i = 0; i < Order.size(); ++i) {
        if (after.count(Order[i])) {
            keptBefore.push_back(Before.Numbers[i]);
            continue;
        }
        // A removed sequence comes back from its text, kept only for the one named.
        if (Order[i] != Touched)
            throw std::logic_error("a step removed a sequence it was not allowed to");
        Before.Sequences.front().Kept = false;
    }
    const TWireConfiguration *touched = after.count(Touched) ? Touched : nullptr;
    Keep(project, After, nullptr);
    std::vector<int> keptAfter;
    for (int i = 0; i < project.Count(); ++i) {
        const TWireConfiguration *sequence = project.Objects(i);
        const bool kept = before.count(sequence) != 0;
        if (kept)
            keptAfter.push_back(sequence->Number);
        if (!kept || sequence == touched)
            After.Sequences.push_back({i, kept, SequenceText(*sequence)});
    }
    if (keptBefore == keptAfter)
        Before.Numbers.clear(); // nothing was renumbered
    else
        After.Numbers = Numbers(project);
    Before.Numbers.shrink_to_fit();
}

bool TProjectStep::Changed() const
{
    return !(Before == After);
}

void TProjectStep::Take(TWireConfigurationList &project, const TState &from, const TState &to) const
{
    for (auto it = from.Sequences.rbegin(); it != from.Sequences.rend(); ++it)
        if (!it->Kept)
            project.Delete(it->Index);
    for (const TSequenceText &sequence : to.Sequences) {
        if (sequence.Kept)
            project.Delete(sequence.Index);
        project.Insert(sequence.Index, ReadSequence(project, sequence.Text));
    }
    for (size_t i = 0; i < to.Numbers.size(); ++i)
        project.Objects(int(i))->SetNumber(to.Numbers[i]);
    if (FScope.Parts & ppCombinations)
        ReadCombinations(project.Combinations, to.Combinations);
    if (FScope.Parts & ppDetails) {
        project.ProjectName = to.Details.ProjectName;
        project.Author = to.Details.Author;
        project.Comments = to.Details.Comments;
        project.ProjectDate = to.Details.ProjectDate;
    }
}

size_t TProjectStep::Bytes(const TState &state)
{
    size_t bytes = state.Sequences.capacity() * sizeof(TSequenceText) + state.Numbers.capacity() * sizeof(int)
        + state.Combinations.capacity() + state.Details.ProjectName.capacity() + state.Details.Author.capacity()
        + state.Details.Comments.capacity();
    for (const TSequenceText &sequence : state.Sequences)
        bytes += sequence.Text.capacity();
    return bytes;
}

size_t TProjectStep::Bytes() const
{
    return sizeof(*this) + Bytes(Before) + Bytes(After);
}

} // namespace corvadel
