#include "document/PrintedNames.h"

#include "docengine/WordDocument.h"
#include "form/ControlNames.h"
#include "form/FormControl.h"
#include "form/FormView.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {

QString nameBookmark(const QString& tag, bool positionsPage) {
    return u"NOM_"_s + tag + (positionsPage ? u"1"_s : QString());
}

QList<NameBesideCode> namesBesideCodes(const FormView& view) {
    static const QStringView lists[] = {ctl::cboCuerpo,        ctl::cboGrupo,     ctl::cboProvincia,
                                        ctl::cboProvinciasVrk, ctl::cboAreaVrk,   ctl::cboZBSVrk,
                                        ctl::cboLocalidadesVrk, ctl::cboPrefArea, ctl::cboPrefProvincia,
                                        ctl::cboPrefLocalidad};
    QList<NameBesideCode> names;
    for (QStringView list : lists)
        for (const FormControl& control : formControls())
            if (control.name == list && !control.tag.isEmpty())
                names.append(NameBesideCode{control.tag, view.comboColumn(list, 1)});
    return names;
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
