#include "device_set.h"

#include "data/area_file.h"
#include "data/gbk_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace tarvel;

namespace {

constexpr int kHighestLowLevel = 1339;
constexpr int kHighestMediumLevel = 3289;

QComboBox* shownCombo(const QString& name, const QStringList& items, const QString& shown) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->addItems(items);
    combo->setEditText(shown);
    combo->setEnabled(false);
    // Wide enough for the longest item, "连续采样" (a count of Latin letters).
    combo->setMinimumContentsLength(9);
    return combo;
}

template <std::size_t W> QString storedText(const char (&field)[W]) {
    return QString::fromStdString(decodeGbk(field));
}

} // namespace

QString QDeviceSet::triggerLevelText(int triggerLevel) {
    if (triggerLevel <= kHighestLowLevel)
        return QStringLiteral("低");
    if (triggerLevel <= kHighestMediumLevel)
        return QStringLiteral("中");
    return QStringLiteral("高");
}

QDeviceSet::QDeviceSet(const NamePipeFile& file, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("采样参数"));
    setAttribute(Qt::WA_DeleteOnClose);
    const PipHeader& h = file.header;

    auto* length = new QComboBox;
    length->setObjectName(QStringLiteral("sampleCount"));
    length->setEditable(true);
    length->addItems({QStringLiteral("1024"), QStringLiteral("2048"), QStringLiteral("4096")});
    // Another count leaves the first item: the instrument records only these.
    const int lengthItem = length->findText(QString::number(h.sampleCount));
    if (lengthItem >= 0)
        length->setCurrentIndex(lengthItem);
    length->setEnabled(false);
    length->setMinimumContentsLength(9);

    auto* interval = new QLineEdit(QString::number(double(h.sampleInterval), 'f', 0));
    interval->setObjectName(QStringLiteral("sampleInterval"));
    interval->setEnabled(false);

    auto* left = new QFormLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addRow(QStringLiteral("采样长度"), length);
    left->addRow(QStringLiteral("增益"), shownCombo(QStringLiteral("gain"), {QStringLiteral("10")},
                                                    QString::number(double(h.gain), 'f', 0)));
    left->addRow(QStringLiteral("采集方式"),
                 shownCombo(QStringLiteral("acquireMode"), {QStringLiteral("连续采样")},
                            storedText(h.acquireMode)));
    left->addRow(QStringLiteral("接收模式"),
                 shownCombo(QStringLiteral("receiveMode"), {QStringLiteral("人工")},
                            storedText(h.receiveMode)));

    auto* right = new QFormLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addRow(QStringLiteral("采样间隔"), interval);
    right->addRow(QStringLiteral("触发电平"),
                  shownCombo(QStringLiteral("triggerLevel"), {QStringLiteral("低")},
                             triggerLevelText(h.triggerLevel)));
    right->addRow(QStringLiteral("通道"),
                  shownCombo(QStringLiteral("channel"), {QStringLiteral("通道1")},
                             QStringLiteral("通道%1").arg(h.channel)));
    right->addRow(QStringLiteral("传感器类型"),
                  shownCombo(QStringLiteral("sensorType"),
                             {QStringLiteral("加速度"), QStringLiteral("速度")},
                             storedText(h.sensorType)));

    auto* forms = new QHBoxLayout;
    forms->addLayout(left);
    forms->addLayout(right);

    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDeviceSet::OkClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addLayout(forms);
    column->addLayout(buttons);
}

void QDeviceSet::OkClick() {
    close();
}
