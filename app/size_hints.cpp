#include "size_hints.h"

namespace tarvel {

namespace {

const QString kSizeHint = QStringLiteral("-SizeHint");

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
            // Whatever is named is opened or said to be missing, never
            // passed over in silence.
            if (!argument.startsWith(QLatin1Char('-')))
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
