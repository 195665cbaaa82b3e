#pragma once

#include <QList>
#include <QString>

namespace velantor {

class FormView;
class WordDocument;

// The description a person reads beside a code on paper ("00201" and "Enfermero/a"): a
// list's document tag and the name of the entry chosen in it.
struct NameBesideCode {
    QString tag; // the list's form field ("CUERPOOESCALA")
    QString name;
};

// The bookmark beside the list's field on the first page ("NOM_CUERPOOESCALA") and beside
// its second field on the positions page ("NOM_CUERPOOESCALA1").
QString nameBookmark(const QString& tag, bool positionsPage);

// The lists whose codes a person reads on paper (body, group, province of residence, the
// current post's province, area, zone and town, the preferred area, province and town),
// each with its document tag and the name of the entry chosen in it (empty when none is).
QList<NameBesideCode> namesBesideCodes(const FormView& view);

// Types each name at its two bookmarks, on the document being printed only: the stored
// document's fields keep the codes and the barcodes carry the codes, as they always have.
// A template without the bookmarks (an older copy) prints the codes alone.
void writeNamesBesideCodes(WordDocument& document, const QList<NameBesideCode>& names);

} // namespace velantor
