#include "widgets/Binder.h"

#include "widgets/EntryLimit.h"

#include "data/Recordset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

Binder::Binder(Recordset& recordset, QObject* parent) : QObject(parent), m_recordset(recordset)
{
    connect(&recordset, &Recordset::currentChanged, this, &Binder::show);
    recordset.addWriteBack(this, [this] { writeBack(); });
}

void Binder::bind(QLineEdit* box, const QString& field, std::optional<TextRules::NumberRule> rule)
{
    refuseControlCharacters(box);
    add(Kind::LineEdit, box, field, std::move(rule));
}
void Binder::bind(QCheckBox* box, const QString& field) { add(Kind::CheckBox, box, field); }
void Binder::bind(QLabel* label, const QString& field) { add(Kind::Label, label, field); }

void Binder::add(Kind kind, QWidget* widget, const QString& field, std::optional<TextRules::NumberRule> rule)
{
    m_bindings.push_back({kind, widget, field, {}, rule});
    show();
}

QString Binder::displayText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return TextRules::dateText(value.toDate());
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float:
        return TextRules::numberText(value.toDouble());
    default:
        return value.toString();
    }
}

void Binder::show()
{
    const bool current = m_recordset.hasCurrentRow();
    for (Binding& binding : m_bindings) {
        if (!binding.widget)
            continue;
        const int column = m_recordset.fieldIndex(binding.field);
        const QVariant value = current && column >= 0 ? m_recordset.value(column) : QVariant();
        binding.shown = displayText(value);
        switch (binding.kind) {
        case Kind::LineEdit:
            static_cast<QLineEdit*>(binding.widget.data())->setText(binding.shown);
            break;
        case Kind::CheckBox:
            binding.shown = value.toInt() != 0 ? QStringLiteral("1") : QStringLiteral("0");
            static_cast<QCheckBox*>(binding.widget.data())->setChecked(value.toInt() != 0);
            break;
        case Kind::Label:
            static_cast<QLabel*>(binding.widget.data())->setText(binding.shown);
            break;
        }
    }
}

void Binder::writeBack()
{
    for (const Binding& binding : m_bindings) {
        if (!binding.widget || binding.kind == Kind::Label || m_recordset.fieldIndex(binding.field) < 0)
            continue;
        QString now;
        if (binding.kind == Kind::LineEdit)
            now = static_cast<QLineEdit*>(binding.widget.data())->text();
        else
            now = static_cast<QCheckBox*>(binding.widget.data())->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        if (now == binding.shown)
            continue;
        if (binding.rule && !now.trimmed().isEmpty())
            m_recordset.setValue(binding.field, TextRules::numberOrRefuse(now, *binding.rule, binding.field));
        else
            m_recordset.setValue(binding.field, binding.kind == Kind::CheckBox ? QVariant(now.toInt()) : QVariant(now));
    }
}
