#include "accessibility/takeover.h"

#include <set>

#include <QObject>
#include <QVariant>

void TakeOver(QObject* object, const char* property, const QVariant& value,
              QAccessible::InterfaceFactory factory, bool (*isOurs)(QAccessibleInterface*)) {
    static std::set<QAccessible::InterfaceFactory> installed;
    if (installed.insert(factory).second) {
        QAccessible::installFactory(factory);
    }
    object->setProperty(property, value);
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object);
    if (made != nullptr && !isOurs(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}
