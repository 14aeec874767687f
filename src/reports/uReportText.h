// Pieces of text several reports print alike.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;
struct TSequenceTopology;

// "[ SPAN 3 ]", "[ A 3 ]": a column caption.
std::string Bracketed(const std::string &name);
// A blank to fill in by hand.
std::string Blank(int length);
// The numbers of the poles of a type that are not rings, in number order.
std::vector<int> PoleNumbers(const TSequenceTopology &topology);

} // namespace corvadel
