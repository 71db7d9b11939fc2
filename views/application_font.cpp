#include "application_font.h"

#include <QApplication>
#include <QFont>

void setApplicationFont() {
    const QString family = QStringLiteral("wenquanyi");
    QFont::insertSubstitution(family, QStringLiteral("WenQuanYi Zen Hei"));
    QApplication::setFont(QFont(family, 14));
}
