// Completion of the ring figure of a Delta (the triangle of spans 2, 3, 5)
// or a Box (the quadrilateral of spans 2, 3, 5, 7) from just enough of its
// lengths and angles.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvadel {

// Working lengths (feet) and angles (radians) of spans 1..n; index = span
// number - 1.
struct TPlanValues {
    std::vector<double> Lengths;
    std::vector<double> Angles;
};

enum class TCompletion {
    Solved,
    Failed,   // the values do not make a figure, or the selection cannot fix one
    Parallel, // the two unknown sides of a Box are parallel
};

// Asked when two triangles fit the entered values: whether the named angle
// (for example "A4") is 90 degrees or more.
using TAngleQuestion = std::function<bool(const std::string &angle)>;

class TAutomaticCalculation {
public:
    // The ring's spans in selection-bit order: the lengths (Delta 2, 3, 5;
    // Box 2, 3, 5, 7) and the angles (Delta 2, 4, 6; Box 2, 4, 6, 7). Empty
    // for the other types.
    static const std::vector<int> &LengthSpans(int type);
    static const std::vector<int> &AngleSpans(int type);

    // (length bits) * 16 + angle bits when the number of entered items can
    // fix the figure, otherwise 0.
    static int SelectionCode(int type, int lengthBits, int angleBits);
    // A Box selection whose entered values fit two figures (Solution A and B).
    static bool HasTwoSolutions(int type, int code);

    // Completes the figure of a valid selection in place. Solution B takes
    // the obtuse angle of a Box's ambiguous triangle; `isRightOrObtuse`
    // settles an ambiguous Delta. A result with a length <= 0, an interior
    // angle outside (0, 180) degrees or a non-finite value is refused; on
    // anything but Solved the values stay as they were.
    static TCompletion Complete(int type, int code, bool solutionB, const TAngleQuestion &isRightOrObtuse,
                                TPlanValues &values);
};

} // namespace corvadel
