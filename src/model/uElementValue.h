// Numbers read from project file elements. A malformed value raises
// EConvertError naming the element as well as the text.
#pragma once

#include "uXMLBaseObject.h"

namespace corvadel {

double ElementFloat(const TXMLBaseObject &element);
int ElementInt(const TXMLBaseObject &element);

} // namespace corvadel
