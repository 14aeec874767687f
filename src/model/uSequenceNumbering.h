// Sequence numbers as the rest of the program takes them: 1 to n in project
// order, each naming one sequence.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TWireConfigurationList;

// Numbers the sequences 1 to n in the order they stand and moves every
// combination with its sequences. A number that several sequences carried
// stays with the first of them; one that no sequence carried and that would
// now name one becomes 0. Returns what was done as one sentence for the
// reader of the file (without the file's name), or "" when the numbers
// already were 1 to n. Numbers are assigned as a reader assigns them.
std::string NumberSequencesInOrder(TWireConfigurationList &project);

// "1-40, 45, 47": the numbers in their order, each run of three or more
// consecutive numbers shortened.
std::string NumberList(const std::vector<int> &numbers);

} // namespace corvadel
