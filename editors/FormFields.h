// The widgets of a form named after the keys of a field table: found once by name, given the
// values their fields may take, and showing or giving back the record they hold.
#pragma once

#include "AmountEdit.h"
#include "CaseFields.h"
#include "Wording.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QList>

#include <span>
#include <vector>

namespace editors {

// The widget of the form named `key`; throws std::logic_error naming the key when the form has
// none of that class.
QWidget* formWidget(QWidget* form, const char* key, const char* className);
template <typename Widget> Widget* formWidget(QWidget* form, const char* key)
{
    return static_cast<Widget*>(formWidget(form, key, Widget::staticMetaObject.className()));
}

// Every amount field of a form.
QList<amount::AmountEdit*> amountFieldsOf(QWidget* form);

// Typing keeps the field within the values its figure may take.
void limitTo(amount::AmountEdit* field, const borrowing::Bounds& bounds);

// A record shown in its form: an amount field for each figure, a line edit for each text, a
// combo box of its options for each choice and a check box for each flag.
template <typename Part> class RecordForm final
{
public:
    RecordForm(QWidget* form, std::span<const borrowing::Field<Part>> fields) : m_fields(fields)
    {
        for (const borrowing::Field<Part>& field : fields) {
            switch (field.kind) {
            case borrowing::FieldKind::Text:
                m_widgets.push_back(formWidget<QLineEdit>(form, field.key));
                break;
            case borrowing::FieldKind::Choice: {
                auto* box = formWidget<QComboBox>(form, field.key);
                box->clear();
                for (int option = 0; option < static_cast<int>(field.words.size()); ++option)
                    box->addItem(reports::choiceText(field.words, option));
                m_widgets.push_back(box);
                break;
            }
            case borrowing::FieldKind::Flag:
                m_widgets.push_back(formWidget<QCheckBox>(form, field.key));
                break;
            default: {
                auto* edit = formWidget<amount::AmountEdit>(form, field.key);
                limitTo(edit, field.bounds);
                m_widgets.push_back(edit);
                break;
            }
            }
        }
    }

    void show(const Part& part) const
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const borrowing::Field<Part>& field = m_fields[i];
            QWidget* widget = m_widgets[i];
            switch (field.kind) {
            case borrowing::FieldKind::Text:
                static_cast<QLineEdit*>(widget)->setText(part.*field.text);
                break;
            case borrowing::FieldKind::Choice:
                static_cast<QComboBox*>(widget)->setCurrentIndex(field.choice(part));
                break;
            case borrowing::FieldKind::Flag:
                static_cast<QCheckBox*>(widget)->setChecked(part.*field.flag);
                break;
            default:
                static_cast<amount::AmountEdit*>(widget)->setValue(part.*field.amount);
                break;
            }
        }
    }

    // The record as the widgets hold it; throws amount::ConversionError for an amount field
    // that holds no number.
    Part shown() const
    {
        Part part;
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const borrowing::Field<Part>& field = m_fields[i];
            const QWidget* widget = m_widgets[i];
            switch (field.kind) {
            case borrowing::FieldKind::Text:
                part.*field.text = static_cast<const QLineEdit*>(widget)->text();
                break;
            case borrowing::FieldKind::Choice:
                field.setChoice(part, static_cast<const QComboBox*>(widget)->currentIndex());
                break;
            case borrowing::FieldKind::Flag:
                part.*field.flag = static_cast<const QCheckBox*>(widget)->isChecked();
                break;
            default:
                part.*field.amount = static_cast<const amount::AmountEdit*>(widget)->value();
                break;
            }
        }
        return part;
    }

private:
    std::span<const borrowing::Field<Part>> m_fields;
    std::vector<QWidget*> m_widgets;
};

} // namespace editors
