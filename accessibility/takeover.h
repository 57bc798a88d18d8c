#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

class QVariant;

// How this room's interfaces take over from the toolkit's: a widget is
// marked with a property that one of its factories answers to.

// Marks `object` with `property` = `value` for `factory` (installed the first
// time it is named here) to answer to, and has an interface made for it
// before (a screen reader may already have asked) give way, unless `isOurs`
// says it is the one wanted; the next question then makes ours.
void TakeOver(QObject* object, const char* property, const QVariant& value,
              QAccessible::InterfaceFactory factory, bool (*isOurs)(QAccessibleInterface*));

// A factory giving an `Interface` to each `Widget` marked with `property`,
// and the toolkit's own interface to every other object.
template <class Widget, class Interface, const char* property>
QAccessibleInterface* MarkedFactory(const QString& className, QObject* object) {
    if (object == nullptr || className != QLatin1String(Widget::staticMetaObject.className()) ||
        !object->property(property).toBool()) {
        return nullptr;
    }
    return new Interface(static_cast<Widget*>(object));
}

// Whether `made` is an `Interface`.
template <class Interface>
bool IsA(QAccessibleInterface* made) {
    return dynamic_cast<Interface*>(made) != nullptr;
}
