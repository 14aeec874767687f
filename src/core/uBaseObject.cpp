#include "uBaseObject.h"

namespace corvadel {

std::unique_ptr<TXMLBaseObject> TBaseObject::ToXML() const
{
    return std::make_unique<TXMLBaseObject>(XmlNode);
}

void TBaseObject::FromXML(const TXMLBaseObject &node)
{
    XmlNode = node;
}

} // namespace corvadel
