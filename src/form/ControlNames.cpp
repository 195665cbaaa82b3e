#include "form/ControlNames.h"

#include <QSet>

namespace velantor::ctl {

bool isKnown(QStringView control) {
    static const QSet<QString> known = [] {
        QSet<QString> names;
        for (QStringView name : kAll)
            names.insert(name.toString());
        return names;
    }();
    return known.contains(control.toString());
}

} // namespace velantor::ctl
