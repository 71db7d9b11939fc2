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
    // Wide enough for the longest item, "连续采样" or "Continuous".
    combo->setMinimumContentsLength(11);
    return combo;
}

// The instrument's own words ("连续采样", "加速度") in the interface's
// language; a word it does not know is shown as stored.
template <std::size_t W> QString storedText(const char (&field)[W]) {
    return QDeviceSet::tr(decodeGbk(field).c_str());
}

} // namespace

QString QDeviceSet::triggerLevelText(int triggerLevel) {
    if (triggerLevel <= kHighestLowLevel)
        return tr("低");
    if (triggerLevel <= kHighestMediumLevel)
        return tr("中");
    return tr("高");
}

QDeviceSet::QDeviceSet(const NamePipeFile& file, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("采样参数"));
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
    left->addRow(tr("采样长度"), length);
    left->addRow(tr("增益"), shownCombo(QStringLiteral("gain"), {QStringLiteral("10")},
                                        QString::number(double(h.gain), 'f', 0)));
    left->addRow(tr("采集方式"), shownCombo(QStringLiteral("acquireMode"), {tr("连续采样")},
                                            storedText(h.acquireMode)));
    left->addRow(tr("接收模式"), shownCombo(QStringLiteral("receiveMode"), {tr("人工")},
                                            storedText(h.receiveMode)));

    auto* right = new QFormLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addRow(tr("采样间隔"), interval);
    right->addRow(tr("触发电平"), shownCombo(QStringLiteral("triggerLevel"), {tr("低")},
                                             triggerLevelText(h.triggerLevel)));
    right->addRow(tr("通道"), shownCombo(QStringLiteral("channel"), {tr("通道1")},
                                         tr("通道%1").arg(h.channel)));
    right->addRow(tr("传感器类型"),
                  shownCombo(QStringLiteral("sensorType"), {tr("加速度"), tr("速度")},
                             storedText(h.sensorType)));

    auto* forms = new QHBoxLayout;
    forms->addLayout(left);
    forms->addLayout(right);

    auto* ok = new QPushButton(tr("确定"));
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
