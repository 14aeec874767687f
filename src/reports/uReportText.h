// Pieces of text several reports print alike.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;
struct TSequenceTopology;

// "[ SPAN 3 ]", "[ A 3 ]": a column caption.
std::string Bracketed(const std::string &name);
// One entry of a span's line of signals and signs.
struct THangerEntry {
    bool IsSignal;
    std::string Text;
};
// The entries in order, "(text)" for a signal and "[text]" for a sign,
// joined by ", "; a sentence saying so for a span without any.
std::string HangerLine(const std::vector<THangerEntry> &entries);
// A blank to fill in by hand.
std::string Blank(int length);
// The numbers of the poles of a type that are not rings, in number order.
std::vector<int> PoleNumbers(const TSequenceTopology &topology);

} // namespace corvadel
