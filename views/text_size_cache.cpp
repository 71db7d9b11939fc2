#include "text_size_cache.h"

#include <QHash>
#include <qwt_text.h>
#include <qwt_text_engine.h>

namespace {

// A text format of our own, so that only these labels use the cache.
constexpr auto kCachedPlainText = static_cast<QwtText::TextFormat>(QwtText::OtherFormat + 1);

// What a measurement depends on: the font's metrics-relevant properties
// and, for sizes, the flags and the text.
struct TextKey {
    QString family;
    double pointSize = 0;
    int pixelSize = 0;
    int weight = 0;
    int style = 0;
    int stretch = 0;
    int flags = 0;
    QString text;

    TextKey(const QFont& font, int textFlags, const QString& measured)
        : family(font.family()), pointSize(font.pointSizeF()), pixelSize(font.pixelSize()),
          weight(font.weight()), style(font.style()), stretch(font.stretch()), flags(textFlags),
          text(measured) {}

    bool operator==(const TextKey& other) const {
        return family == other.family && pointSize == other.pointSize &&
               pixelSize == other.pixelSize && weight == other.weight && style == other.style &&
               stretch == other.stretch && flags == other.flags && text == other.text;
    }
};

uint qHash(const TextKey& key, uint seed = 0) {
    return ::qHash(key.text, seed) ^ ::qHash(key.family, seed) ^ ::qHash(key.pointSize, seed) ^
           ::qHash(key.weight * 31 + key.flags, seed);
}

struct Margins {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
};

class CachedPlainTextEngine : public QwtPlainTextEngine {
public:
    QSizeF textSize(const QFont& font, int flags, const QString& text) const override {
        const TextKey key(font, flags, text);
        auto found = sizes_.constFind(key);
        if (found != sizes_.constEnd())
            return *found;
        const QSizeF size = QwtPlainTextEngine::textSize(font, flags, text);
        sizes_.insert(key, size);
        return size;
    }

    void textMargins(const QFont& font, const QString& text, double& left, double& right,
                     double& top, double& bottom) const override {
        // The margins depend on the font alone.
        const TextKey key(font, 0, QString());
        auto found = margins_.constFind(key);
        if (found == margins_.constEnd()) {
            Margins m;
            QwtPlainTextEngine::textMargins(font, text, m.left, m.right, m.top, m.bottom);
            found = margins_.insert(key, m);
        }
        left = found->left;
        right = found->right;
        top = found->top;
        bottom = found->bottom;
    }

private:
    mutable QHash<TextKey, QSizeF> sizes_;
    mutable QHash<TextKey, Margins> margins_;
};

void registerEngine() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    QwtText::setTextEngine(kCachedPlainText, new CachedPlainTextEngine);
}

} // namespace

CachedLabelScaleDraw::CachedLabelScaleDraw() {
    registerEngine();
}

QwtText CachedLabelScaleDraw::label(double value) const {
    return QwtText(QwtScaleDraw::label(value).text(), kCachedPlainText);
}
