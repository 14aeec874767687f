// Large projects for measuring: the sequences and combinations of
// examples/intersection.xml repeated, each copy numbered on from the last
// and named after its group, the way a city-wide project file grows.
#pragma once

#include "uCombination.h"
#include "uGeometry.h"
#include "uWires.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace corvadel::bench {

inline std::string IntersectionExample()
{
    return std::string(CORVADEL_SOURCE_DIR) + "/examples/intersection.xml";
}

// Fills `project` with `count` sequences (the last group may be cut short)
// and every combination whose two sequences are both there.
inline void GenerateProject(TWireConfigurationList &project, int count,
                            const std::string &pattern = IntersectionExample())
{
    TWireConfigurationList source(project.Parameters());
    if (!source.Open(pattern) || source.Empty())
        throw std::runtime_error("cannot read the pattern project " + pattern);
    project.SetProjectName(source.ProjectName + " (" + std::to_string(count) + " sequences)");
    project.SetAuthor(source.Author);
    project.SetProjectDate(source.ProjectDate);
    const int perGroup = source.Count();
    for (int n = 0; n < count; ++n) {
        const TWireConfiguration &original = *source.FindByNumber(n % perGroup + 1);
        TWireConfiguration *copy = project.DuplicateSequence(original);
        copy->SetIdentification(original.Identification + " #" + std::to_string(n / perGroup + 1));
        TGeometry::ComputePlanLayout(*copy);
    }
    for (int offset = 0; offset < count; offset += perGroup) {
        for (const TCombination *combination : source.Combinations) {
            if (offset + combination->SequenceA > count || offset + combination->SequenceB > count)
                continue;
            auto copy = std::make_unique<TCombination>();
            copy->SetNumber(project.Combinations.Count());
            copy->SetSequenceA(offset + combination->SequenceA);
            copy->SetSequenceB(offset + combination->SequenceB);
            copy->SetPoleA(combination->PoleA);
            copy->SetPoleB(combination->PoleB);
            copy->SetABAngle(combination->ABAngle);
            copy->SetRotationOne(combination->RotationOne);
            copy->SetRotationTwo(combination->RotationTwo);
            project.Combinations.Add(std::move(copy));
        }
    }
}

} // namespace corvadel::bench
