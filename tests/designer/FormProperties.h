// The properties a .ui file gives its widget named Widget, as raw text (cstring, string,
// number or set): what the form stores, independent of anything that reads it.
#pragma once

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

namespace vg::test {

inline QMap<QString, QString> FormProperties(const QString& path, const QString& widget)
{
    QMap<QString, QString> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    bool inside = false;
    QString property;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"widget")
            inside = xml.attributes().value(QLatin1String("name")) == widget;
        else if (inside && xml.isStartElement() && xml.name() == u"property")
            property = xml.attributes().value(QLatin1String("name")).toString();
        else if (inside && xml.isStartElement() && !property.isEmpty() &&
                 (xml.name() == u"cstring" || xml.name() == u"string" || xml.name() == u"number" ||
                  xml.name() == u"set"))
            result[property] = xml.readElementText();
        else if (xml.isEndElement() && xml.name() == u"property")
            property.clear();
    }
    return result;
}

} // namespace vg::test
