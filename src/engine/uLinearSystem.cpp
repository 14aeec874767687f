#include "uLinearSystem.h"

#include <cmath>
#include <utility>

namespace corvadel {

TLinearSystem::TLinearSystem(int size)
    : N(size)
{
}

bool TLinearSystem::Solve(std::array<double, MaxSize> &x) const
{
    auto a = A;
    auto b = B;
    // Rows are scaled to a largest coefficient of one so that the pivot test
    // compares like with like (force balances and plain differences mix).
    for (int i = 0; i < N; ++i) {
        double largest = 0;
        for (int j = 0; j < N; ++j)
            largest = std::fmax(largest, std::fabs(a[i][j]));
        if (!(largest > 0) || !std::isfinite(largest))
            return false;
        for (int j = 0; j < N; ++j)
            a[i][j] /= largest;
        b[i] /= largest;
    }
    constexpr double Singular = 1e-10;
    for (int column = 0; column < N; ++column) {
        int pivot = column;
        for (int i = column + 1; i < N; ++i)
            if (std::fabs(a[i][column]) > std::fabs(a[pivot][column]))
                pivot = i;
        if (!(std::fabs(a[pivot][column]) > Singular))
            return false;
        std::swap(a[pivot], a[column]);
        std::swap(b[pivot], b[column]);
        for (int i = column + 1; i < N; ++i) {
            const double factor = a[i][column] / a[column][column];
            for (int j = column; j < N; ++j)
                a[i][j] -= factor * a[column][j];
            b[i] -= factor * b[column];
        }
    }
    std::array<double, MaxSize> solution{};
    for (int i = N - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < N; ++j)
            sum -= a[i][j] * solution[j];
        solution[i] = sum / a[i][i];
        if (!std::isfinite(solution[i]))
            return false;
    }
    x = solution;
    return true;
}

} // namespace corvadel
