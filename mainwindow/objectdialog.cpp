#include "mainwindow/objectdialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "document/calculation.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

ObjectDialog::ObjectDialog(const document::ObjectData& data, QWidget* parent) : QDialog(parent) {
    setWindowTitle(u"Данные объекта"_s);
    setObjectName(u"ObjectDialog"_s);
    auto* form = new QFormLayout(this);
    for (const document::ObjectField& f : document::objectFields()) {
        auto* line = new QLineEdit(data.*f.member, this);
        line->setObjectName(QString::fromUtf16(f.key));
        // What a calculation file keeps of one text.
        line->setMaxLength(document::kMaxTextLength);
        line->setMinimumWidth(320);
        lines_ << line;
        if (f.member == &document::ObjectData::date) {
            line->setPlaceholderText(u"дд.мм.гггг"_s);
            auto* row = new QHBoxLayout;
            row->addWidget(line);
            auto* today = new QPushButton(u"Сегодня"_s, this);
            today->setObjectName(u"today"_s);
            today->setAutoDefault(false);
            connect(today, &QPushButton::clicked, line,
                    [line] { line->setText(QDate::currentDate().toString(u"dd.MM.yyyy"_s)); });
            row->addWidget(today);
            form->addRow(QString::fromUtf16(f.caption) + u':', row);
        } else {
            form->addRow(QString::fromUtf16(f.caption) + u':', line);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"ОК"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Отмена"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

document::ObjectData ObjectDialog::data() const {
    document::ObjectData out;
    const auto fields = document::objectFields();
    for (qsizetype i = 0; i < lines_.size(); ++i) out.*fields[i].member = lines_[i]->text();
    return out;
}

QLineEdit* ObjectDialog::field(const QString& key) const {
    for (QLineEdit* line : lines_)
        if (line->objectName() == key) return line;
    return nullptr;
}

}  // namespace vardo::mainwindow
