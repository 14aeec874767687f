#include "uBaseObject.h"

namespace corvadel {

void TBaseObject::WriteXML(TXMLElementWriter &out) const
{
    out.Node(XmlNode);
}

void TBaseObject::FromXML(const TXMLBaseObject &node)
{
    XmlNode = node;
}

} // namespace corvadel
