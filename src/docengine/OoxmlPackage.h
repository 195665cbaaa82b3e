#pragma once

#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/Error.h"

namespace velantor {

// The parts of an Office Open XML package (a zip archive), held in memory by part
// name ("word/document.xml", "[Content_Types].xml", ...). Reading never touches the
// disk: the caller hands over the archive's bytes and gets them back from toZip().
class OoxmlPackage {
public:
    // `sourceName` only names the file in error messages.
    static Result<OoxmlPackage> fromZip(const QByteArray& zip, const QString& sourceName);
    Result<QByteArray> toZip() const;

    bool contains(const QString& name) const;
    // Empty when there is no such part.
    QByteArray part(const QString& name) const;
    // Replaces the part or adds it at the end.
    void setPart(const QString& name, const QByteArray& data);
    QStringList partNames() const;

private:
    std::vector<std::pair<QString, QByteArray>> m_parts; // archive order
};

} // namespace velantor
