// One undoable step of a project, kept as the parts it touched before and
// after: the text of the sequences it changed, added or removed, the text of
// the combinations, the project details. Sequences and combinations are
// written and read with the project file's element codec, so a step taken
// back gives the file's bytes back, and a field commit keeps one sequence,
// not the project.
#pragma once

#include "uFormats.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;
class TWireConfigurationList;

// The parts of a project a step touches; also what the views read again.
enum TProjectPart : unsigned {
    ppSequence = 1,       // the content of one sequence
    ppSequenceList = 2,   // sequences added, removed or renumbered
    ppCombinations = 4,
    ppDetails = 8,        // name, date, author and comments
    ppResults = 16,       // the results of a calculation, never in the file
    ppProject = 32,       // the project was replaced as a whole
};

struct TStepScope {
    unsigned Parts = 0;
    // The sequence the step changes or removes, by number; 0 = none.
    int Sequence = 0;

    static TStepScope OfSequence(int number) { return {ppSequence, number}; }
    static TStepScope OfCombinations() { return {ppCombinations, 0}; }
    static TStepScope OfDetails() { return {ppDetails, 0}; }
    // Sequences added (none named) or the one named removed; with its
    // combinations, since they follow the renumbering.
    static TStepScope OfSequenceList(int removed = 0) { return {ppSequenceList | ppCombinations, removed}; }
};

class TProjectStep
{
public:
    // Keeps the parts of `scope` as they are now.
    TProjectStep(const TWireConfigurationList &project, TStepScope scope);
    // Keeps the same parts as they are after the change.
    void Finish(const TWireConfigurationList &project);

    const TStepScope &Scope() const { return FScope; }
    bool Changed() const;
    // The project as it was before the step, or after it again.
    void Undo(TWireConfigurationList &project) const { Take(project, After, Before); }
    void Redo(TWireConfigurationList &project) const { Take(project, Before, After); }
    // What the step keeps in memory.
    size_t Bytes() const;

private:
    struct TSequenceText {
        int Index = 0;     // its place in the project at that moment
        bool Kept = true;  // it is there on the other side of the step too
        std::string Text;
        bool operator==(const TSequenceText &) const = default;
    };
    struct TDetails {
        std::string ProjectName;
        std::string Author;
        std::string Comments;
        TDateTime ProjectDate;
        bool operator==(const TDetails &) const = default;
    };
    // The touched parts at one moment.
    struct TState {
        std::vector<TSequenceText> Sequences; // by ascending index
        std::vector<int> Numbers;             // of every sequence in order, when kept ones were renumbered
        std::string Combinations;
        TDetails Details;
        bool operator==(const TState &) const = default;
    };

    void Keep(const TWireConfigurationList &project, TState &state, const TWireConfiguration *touched) const;
    void KeepListChange(const TWireConfigurationList &project);
    void Take(TWireConfigurationList &project, const TState &from, const TState &to) const;
    static size_t Bytes(const TState &state);

    TStepScope FScope;
    TState Before;
    TState After;
    // Between construction and Finish: the sequences as they were, to tell
    // kept from added and removed ones.
    std::vector<const TWireConfiguration *> Order;
    const TWireConfiguration *Touched = nullptr;
};

} // namespace corvadel
