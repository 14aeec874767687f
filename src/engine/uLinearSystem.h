// A small dense linear system, solved by Gaussian elimination.
#pragma once

#include <array>

namespace corvadel {

class TLinearSystem
{
public:
    static constexpr int MaxSize = 8;

    explicit TLinearSystem(int size);

    int Size() const { return N; }
    void Add(int row, int column, double value) { A[row][column] += value; }
    void AddRight(int row, double value) { B[row] += value; }
    // False when the system is singular (a pivot vanishes relative to its
    // row) or a value is not finite; `x` then stays unchanged.
    bool Solve(std::array<double, MaxSize> &x) const;

private:
    int N;
    std::array<std::array<double, MaxSize>, MaxSize> A{};
    std::array<double, MaxSize> B{};
};

} // namespace corvadel
