#include "accessibility/accessiblerole.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>
#include <QWidget>

#include "accessibility/takeover.h"

namespace {

constexpr char kRoleProperty[] = "tabulatorAccessibleRole";

QAccessible::Role MarkedRole(const QObject* object) {
    return static_cast<QAccessible::Role>(object->property(kRoleProperty).toInt());
}

// A label of a role of its own, named by its text.
class RoleLabel : public QAccessibleWidget {
public:
    RoleLabel(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        return kind == QAccessible::Name && label->accessibleName().isEmpty()
                   ? label->text()
                   : QAccessibleWidget::text(kind);
    }
};

// Interfaces for widgets that carry a role of their own.
QAccessibleInterface* RoleFactory(const QString& /*className*/, QObject* object) {
    if (object == nullptr || !object->isWidgetType() ||
        !object->property(kRoleProperty).isValid()) {
        return nullptr;  // the toolkit's own interface
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return new RoleLabel(label, MarkedRole(object));
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), MarkedRole(object));
}

bool HasItsRole(QAccessibleInterface* made) {
    QObject* object = made->object();
    return made->role() == MarkedRole(object) &&
           (qobject_cast<QLabel*>(object) == nullptr || IsA<RoleLabel>(made));
}

}  // namespace

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
    TakeOver(widget, kRoleProperty, static_cast<int>(role), &RoleFactory, &HasItsRole);
}
