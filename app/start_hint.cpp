#include "start_hint.h"

#include <QCoreApplication>
#include <QLabel>

QLabel* createStartHint(QWidget* parent) {
    auto* hint = new QLabel(parent);
    hint->setObjectName(QStringLiteral("startHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setTextFormat(Qt::RichText);
    hint->setText(QCoreApplication::translate("StartHint",
                                              "<p>没有打开的工程。</p>"
                                              "<p><a href=\"project\">打开工程…</a>（Ctrl+O）</p>"
                                              "<p><a href=\"area\">打开测区文件…</a></p>"
                                              "<p>或在“文件”菜单中新建工程。</p>"));
    return hint;
}
