#include "start_hint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

const QString kRecentLink = QStringLiteral("recent:");

} // namespace

QLabel* createStartHint(QWidget* parent) {
    auto* hint = new QLabel(parent);
    hint->setObjectName(QStringLiteral("startHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setTextFormat(Qt::RichText);
    showRecentProjects(hint, {});
    return hint;
}

void showRecentProjects(QLabel* hint, const QStringList& recent) {
    QString text = QCoreApplication::translate("StartHint",
                                               "<p>没有打开的工程。</p>"
                                               "<p><a href=\"project\">打开工程…</a>（Ctrl+O）</p>"
                                               "<p><a href=\"area\">打开测区文件…</a></p>"
                                               "<p>或在“文件”菜单中新建工程。</p>");
    if (!recent.isEmpty()) {
        text += QStringLiteral("<p><b>%1</b></p>")
                    .arg(QCoreApplication::translate("StartHint", "最近的工程"));
        for (int i = 0; i < recent.size(); ++i) {
            const QFileInfo file(recent[i]);
            text += QStringLiteral("<p><a href=\"%1%2\">%3</a>　%4</p>")
                        .arg(kRecentLink)
                        .arg(i)
                        .arg(file.fileName().toHtmlEscaped(),
                             QDir::toNativeSeparators(file.absolutePath()).toHtmlEscaped());
        }
    }
    hint->setText(text);
}

int recentProjectOfLink(const QString& link) {
    if (!link.startsWith(kRecentLink))
        return -1;
    bool ok = false;
    const int index = link.mid(kRecentLink.size()).toInt(&ok);
    return ok && index >= 0 ? index : -1;
}
