#include "uBaseObject.h"

namespace corvadel {

void TBaseObject::WriteXML(TXMLElementWriter &out) const
{
    if (XmlNode)
        out.Node(*XmlNode);
}

void TBaseObject::FromXML(const TXMLBaseObject &node)
{
    XmlNode = std::make_unique<TXMLBaseObject>(node);
}

} // namespace corvadel
