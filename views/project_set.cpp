#include "project_set.h"

#include "data/gbk_text.h"
#include "user_dialogs.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cstddef>
#include <cstring>

using namespace tarvel;

namespace {

enum class Input { Any, Ascii, Date };

struct Field {
    const char* name;
    const char* label;
    std::size_t offset;
    std::size_t width;
    int maxChars; // characters that fit the field, with GBK's two bytes a character
    Input input;
    int row;  // 0 or 1
    int form; // the form within the row
};

constexpr int kDateLength = 8; // yyyyMMdd
constexpr const char* kDefaultModel = "RMXXXX";

const Field kFields[] = {
    {"projectName", QT_TRANSLATE_NOOP("ProjectSet", "工程名称："),
     offsetof(ProjectInfo, projectName), sizeof ProjectInfo::projectName, 49, Input::Any, 0, 0},
    {"projectAddress", QT_TRANSLATE_NOOP("ProjectSet", "工程地址："),
     offsetof(ProjectInfo, projectAddress), sizeof ProjectInfo::projectAddress, 49, Input::Any, 0,
     0},
    {"projectKind", QT_TRANSLATE_NOOP("ProjectSet", "工程类型："),
     offsetof(ProjectInfo, projectKind), sizeof ProjectInfo::projectKind, 24, Input::Any, 0, 0},
    {"startDate", QT_TRANSLATE_NOOP("ProjectSet", "开工日期："), offsetof(ProjectInfo, startDate),
     sizeof ProjectInfo::startDate, kDateLength, Input::Date, 0, 0},
    {"testingCompany", QT_TRANSLATE_NOOP("ProjectSet", "检测单位："),
     offsetof(ProjectInfo, testingCompany), sizeof ProjectInfo::testingCompany, 49, Input::Any, 0,
     1},
    {"companyAddress", QT_TRANSLATE_NOOP("ProjectSet", "单位地址："),
     offsetof(ProjectInfo, companyAddress), sizeof ProjectInfo::companyAddress, 49, Input::Any, 0,
     1},
    {"qualificationNo", QT_TRANSLATE_NOOP("ProjectSet", "资质证号："),
     offsetof(ProjectInfo, qualificationNo), sizeof ProjectInfo::qualificationNo, 19, Input::Any, 0,
     1},
    {"contactPerson", QT_TRANSLATE_NOOP("ProjectSet", "联系人："),
     offsetof(ProjectInfo, contactPerson), sizeof ProjectInfo::contactPerson, 9, Input::Any, 0, 1},
    {"contactPhone", QT_TRANSLATE_NOOP("ProjectSet", "联系电话："),
     offsetof(ProjectInfo, contactPhone), sizeof ProjectInfo::contactPhone, 19, Input::Ascii, 0, 1},
    {"postCode", QT_TRANSLATE_NOOP("ProjectSet", "单位邮编："), offsetof(ProjectInfo, postCode),
     sizeof ProjectInfo::postCode, 19, Input::Ascii, 0, 1},
    {"instrumentModel", QT_TRANSLATE_NOOP("ProjectSet", "仪器型号："),
     offsetof(ProjectInfo, instrumentModel), sizeof ProjectInfo::instrumentModel, 19, Input::Ascii,
     0, 2},
    {"instrumentNo", QT_TRANSLATE_NOOP("ProjectSet", "仪器编号："),
     offsetof(ProjectInfo, instrumentNo), sizeof ProjectInfo::instrumentNo, 19, Input::Ascii, 0, 2},
    {"calibrationNo", QT_TRANSLATE_NOOP("ProjectSet", "检定证号："),
     offsetof(ProjectInfo, calibrationNo), sizeof ProjectInfo::calibrationNo, 19, Input::Ascii, 0,
     2},
    {"tester", QT_TRANSLATE_NOOP("ProjectSet", "检测人员："), offsetof(ProjectInfo, tester),
     sizeof ProjectInfo::tester, 9, Input::Any, 0, 2},
    {"permitNo", QT_TRANSLATE_NOOP("ProjectSet", "上岗证号："), offsetof(ProjectInfo, permitNo),
     sizeof ProjectInfo::permitNo, 19, Input::Ascii, 0, 2},
    {"client", QT_TRANSLATE_NOOP("ProjectSet", "委托单位："), offsetof(ProjectInfo, client),
     sizeof ProjectInfo::client, 49, Input::Any, 1, 0},
    {"commissionDate", QT_TRANSLATE_NOOP("ProjectSet", "委托日期："),
     offsetof(ProjectInfo, commissionDate), sizeof ProjectInfo::commissionDate, kDateLength,
     Input::Date, 1, 0},
    {"supervisor", QT_TRANSLATE_NOOP("ProjectSet", "监理单位："), offsetof(ProjectInfo, supervisor),
     sizeof ProjectInfo::supervisor, 49, Input::Any, 1, 0},
    {"authority", QT_TRANSLATE_NOOP("ProjectSet", "监督单位："), offsetof(ProjectInfo, authority),
     sizeof ProjectInfo::authority, 49, Input::Any, 1, 0},
    {"designer", QT_TRANSLATE_NOOP("ProjectSet", "设计单位："), offsetof(ProjectInfo, designer),
     sizeof ProjectInfo::designer, 49, Input::Any, 1, 0},
    {"builder", QT_TRANSLATE_NOOP("ProjectSet", "施工单位："), offsetof(ProjectInfo, builder),
     sizeof ProjectInfo::builder, 49, Input::Any, 1, 0},
    {"owner", QT_TRANSLATE_NOOP("ProjectSet", "建设单位："), offsetof(ProjectInfo, owner),
     sizeof ProjectInfo::owner, 49, Input::Any, 1, 1},
    {"contractor", QT_TRANSLATE_NOOP("ProjectSet", "承建单位："), offsetof(ProjectInfo, contractor),
     sizeof ProjectInfo::contractor, 49, Input::Any, 1, 1},
    {"surveyor", QT_TRANSLATE_NOOP("ProjectSet", "勘察单位"), offsetof(ProjectInfo, surveyor),
     sizeof ProjectInfo::surveyor, 49, Input::Any, 1, 1},
    {"reportNo", QT_TRANSLATE_NOOP("ProjectSet", "报告编号"), offsetof(ProjectInfo, reportNo),
     sizeof ProjectInfo::reportNo, 19, Input::Any, 1, 1},
    {"reportDate", QT_TRANSLATE_NOOP("ProjectSet", "报告日期"), offsetof(ProjectInfo, reportDate),
     sizeof ProjectInfo::reportDate, kDateLength, Input::Date, 1, 1},
    {"testBasis", QT_TRANSLATE_NOOP("ProjectSet", "检测依据"), offsetof(ProjectInfo, testBasis),
     sizeof ProjectInfo::testBasis, 9, Input::Any, 1, 1},
};

constexpr int kFormsInRow[] = {3, 2};

const char* fieldBytes(const ProjectInfo& info, const Field& field) {
    return reinterpret_cast<const char*>(&info) + field.offset;
}

char* fieldBytes(ProjectInfo& info, const Field& field) {
    return reinterpret_cast<char*>(&info) + field.offset;
}

bool isDate(const QString& text) {
    return QDate::fromString(text, QStringLiteral("yyyyMMdd")).isValid();
}

// A date is typed as its eight digits, as the record keeps it; an empty box
// is an empty date, never a made-up one.
class DateValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar c : input) {
            if (!c.isDigit())
                return Invalid;
        }
        return input.isEmpty() || isDate(input) ? Acceptable : Intermediate;
    }
};

// The stored text as a box shows it; an unreadable date shows empty (and is
// kept unless edited).
QString storedText(const ProjectInfo& info, const Field& field) {
    const QString stored =
        QString::fromStdString(decodeGbkField(fieldBytes(info, field), field.width));
    if (field.input == Input::Date && !isDate(stored))
        return QString();
    return stored;
}

bool isModelField(const Field& field) {
    return std::strcmp(field.name, "instrumentModel") == 0;
}

} // namespace

ProjectSet::ProjectSet(const ProjectInfo& info, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("设置"));
    setWindowModality(Qt::WindowModal);

    auto* ascii =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[a-zA-Z0-9]+$")), this);
    auto* date = new DateValidator(this);

    QList<QFormLayout*> forms;
    auto* column = new QVBoxLayout(this);
    for (int row = 0; row < 2; ++row) {
        auto* line = new QHBoxLayout;
        for (int f = 0; f < kFormsInRow[row]; ++f) {
            auto* form = new QFormLayout;
            form->setContentsMargins(0, 0, 0, 0);
            line->addLayout(form);
            forms.append(form);
        }
        column->addLayout(line);
    }
    for (const Field& field : kFields) {
        const QString stored = storedText(info, field);
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(field.name));
        edit->setMaxLength(field.maxChars);
        if (field.input == Input::Ascii)
            edit->setValidator(ascii);
        if (field.input == Input::Date) {
            edit->setValidator(date);
            edit->setPlaceholderText(QStringLiteral("yyyyMMdd"));
        }
        // The box may cut a stored text longer than it lets anyone type; that
        // text is still kept whole unless the box is edited.
        const bool proposeModel = stored.isEmpty() && isModelField(field);
        edit->setText(proposeModel ? QString::fromLatin1(kDefaultModel) : stored);
        // The proposed model is stored when accepted: the record then says
        // what the form showed.
        boxes_.append({edit, proposeModel ? QString() : edit->text(), field.input == Input::Date});
        forms[field.row == 0 ? field.form : 3 + field.form]->addRow(tr(field.label), edit);
    }

    auto* ok = new QPushButton(tr("确定"));
    auto* cancel = new QPushButton(tr("取消"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ProjectSet::OKClicked);
    connect(cancel, &QPushButton::clicked, this, &ProjectSet::CancelClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    column->addLayout(buttons);
    // Wider when longer labels (English) would squeeze the boxes.
    setFixedSize(sizeHint().expandedTo(QSize(860, 550)));
}

QLineEdit* ProjectSet::box(const QString& fieldName) const {
    return findChild<QLineEdit*>(fieldName);
}

void ProjectSet::OKClicked() {
    // An unfinished date would be stored as something nobody meant.
    for (const Box& b : boxes_) {
        if (b.date && !b.edit->hasAcceptableInput()) {
            userDialogs().notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                                 tr("请输入完整的日期（年月日，如20240315）！"));
            b.edit->setFocus();
            return;
        }
    }
    accept();
}

void ProjectSet::CancelClicked() {
    reject();
}

bool ProjectSet::saveProjectInfo(ProjectInfo& info) const {
    bool changed = false;
    for (int i = 0; i < boxes_.size(); ++i) {
        const Box& b = boxes_[i];
        if (b.edit->text() == b.shown)
            continue;
        const Field& field = kFields[i];
        char bytes[sizeof ProjectInfo::projectName] = {};
        encodeGbkField(b.edit->text().toStdString(), bytes, field.width);
        char* stored = fieldBytes(info, field);
        if (std::memcmp(bytes, stored, field.width) != 0) {
            std::memcpy(stored, bytes, field.width);
            changed = true;
        }
    }
    return changed;
}
