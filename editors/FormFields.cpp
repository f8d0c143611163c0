// The widgets of a form named after the keys of a field table: found once by name, given the
// values their fields may take, and showing or giving back the record they hold.
#include "FormFields.h"

#include <stdexcept>

namespace editors {

QWidget* formWidget(QWidget* form, const char* key, const char* className)
{
    auto* widget = form->findChild<QWidget*>(QLatin1String(key));
    if (!widget || !widget->inherits(className)) {
        throw std::logic_error("The form " + form->objectName().toStdString() + " has no " +
                               className + " for the key " + key);
    }
    return widget;
}

QList<amount::AmountEdit*> amountFieldsOf(QWidget* form)
{
    return form->findChildren<amount::AmountEdit*>();
}

void limitTo(amount::AmountEdit* field, const borrowing::Bounds& bounds)
{
    field->setMinValue(bounds.lowest);
    field->setMaxValue(bounds.highest);
}

} // namespace editors
