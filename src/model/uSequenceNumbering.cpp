#include "uSequenceNumbering.h"

#include "uFormats.h"
#include "uWires.h"

#include <unordered_map>

namespace corvadel {

namespace {

// Where the sequences that carried an old number now stand.
struct TOldNumber {
    int First = 0; // the new number of the first sequence that carried it
    int Count = 0;
};

class TRenumbering
{
public:
    explicit TRenumbering(TWireConfigurationList &project)
        : Project(project)
    { }

    std::string Run()
    {
        std::vector<int> before;
        for (const TWireConfiguration *sequence : Project)
            before.push_back(sequence->Number);
        std::vector<int> after(before.size());
        for (size_t i = 0; i < after.size(); ++i)
            after[i] = static_cast<int>(i) + 1;
        if (before == after)
            return {};
        for (size_t i = 0; i < before.size(); ++i) {
            TOldNumber &old = Old[before[i]];
            if (old.Count++ == 0)
                old.First = after[i];
            Project.Objects(static_cast<int>(i))->Number = after[i];
        }
        std::string text = "the sequences were numbered " + NumberList(before) + " and are now numbered "
            + NumberList(after) + ", in the order they stand";
        for (TCombination *combination : Project.Combinations) {
            const std::string named = "; the combination " + IntToStr(combination->Number) + " (sequences "
                + IntToStr(combination->SequenceA) + " and " + IntToStr(combination->SequenceB) + ") names sequence ";
            for (int *side : { &combination->SequenceA, &combination->SequenceB })
                text += Moved(*side, named);
        }
        return text + ". Saving the project writes them renumbered.";
    }

private:
    // Gives `number` its new value; says why when that is not plain.
    std::string Moved(int &number, const std::string &named)
    {
        const auto found = Old.find(number);
        const int count = found == Old.end() ? 0 : found->second.Count;
        if (count == 0) {
            // Left as it was it would now name a sequence it never named.
            if (number < 1 || number > Project.Count())
                return {};
            const int was = number;
            number = 0;
            return named + IntToStr(was) + ", which no sequence carried: it names 0 now, so as not to name another";
        }
        number = found->second.First;
        if (count == 1)
            return {};
        return named + IntToStr(found->first) + ", which " + IntToStr(count)
            + " sequences carried: it stays with the first, now " + IntToStr(number);
    }

    TWireConfigurationList &Project;
    std::unordered_map<int, TOldNumber> Old;
};

} // namespace

std::string NumberSequencesInOrder(TWireConfigurationList &project)
{
    return TRenumbering(project).Run();
}

std::string NumberList(const std::vector<int> &numbers)
{
    std::string text;
    for (size_t start = 0; start < numbers.size();) {
        size_t end = start + 1;
        while (end < numbers.size() && static_cast<long long>(numbers[end]) == numbers[end - 1] + 1LL)
            ++end;
        if (!text.empty())
            text += ", ";
        if (end - start >= 3) {
            text += IntToStr(numbers[start]) + "-" + IntToStr(numbers[end - 1]);
        } else {
            text += IntToStr(numbers[start]);
            end = start + 1;
        }
        start = end;
    }
    return text;
}

} // namespace corvadel
