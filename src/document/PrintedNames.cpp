#include "document/PrintedNames.h"

#include "docengine/WordDocument.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {

QString nameBookmark(const QString& tag, bool positionsPage) {
    return u"NOM_"_s + tag + (positionsPage ? u"1"_s : QString());
}

void writeNamesBesideCodes(WordDocument& document, const QList<NameBesideCode>& names) {
    for (const NameBesideCode& entry : names) {
        const QString name = entry.name.trimmed();
        if (name.isEmpty())
            continue;
        for (bool positionsPage : {false, true})
            (void)document.typeAtBookmark(nameBookmark(entry.tag, positionsPage), u"\u2002"_s + name);
    }
}

} // namespace velantor
