#include "size_hints.h"

#include <QFileInfo>

namespace tarvel {

namespace {

const QString kSizeHint = QStringLiteral("-SizeHint");

bool isOpenablePath(const QString& argument) {
    const QString suffix = QFileInfo(argument).suffix();
    return suffix.compare(QStringLiteral("prj"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QStringLiteral("pip"), Qt::CaseInsensitive) == 0;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help")) {
            line.help = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            line.version = true;
            continue;
        }
        if (!argument.startsWith(kSizeHint)) {
            if (isOpenablePath(argument))
                line.openPath = argument;
            continue;
        }
        const QString colour = argument.mid(kSizeHint.size());
        if (colour.isEmpty() || i + 1 >= arguments.size()) {
            line.valid = false;
            return line;
        }
        const QString size = arguments[++i];
        const int x = size.indexOf(QLatin1Char('x'));
        bool widthOk = false;
        bool heightOk = false;
        const int width = x < 0 ? 0 : size.left(x).toInt(&widthOk);
        const int height = x < 0 ? 0 : size.mid(x + 1).toInt(&heightOk);
        if (x < 0 || !widthOk || !heightOk) {
            line.valid = false;
            return line;
        }
        line.sizeHints.insert(colour, QSize(width, height));
    }
    return line;
}

} // namespace tarvel
