// The model's texts are UTF-8 std::strings; Qt wants QStrings.
#pragma once

#include <QString>

#include <string>

namespace corvadel {

inline QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace corvadel
