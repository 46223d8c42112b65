#include "TextConventions.h"

#include <QLocale>

namespace TextConventions {

void apply() {
    // The Russian conventions are exactly these: "," and "dd.MM.yyyy".
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

} // namespace TextConventions
