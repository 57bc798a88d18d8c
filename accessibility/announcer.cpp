#include "accessibility/announcer.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char kRoleProperty[] = "tabulatorLabelRole";

// A label of a role of its own, named by its text, whatever set it.
class AccessibleLabel : public QAccessibleWidget {
public:
    AccessibleLabel(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        return kind == QAccessible::Name && label->accessibleName().isEmpty()
                   ? label->text()
                   : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* LabelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel") || object == nullptr) {
        return nullptr;
    }
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) {
        return nullptr;  // the toolkit's own interface
    }
    return new AccessibleLabel(static_cast<QLabel*>(object),
                               static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetLabelRole(QLabel* label, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(LabelFactory);
        return true;
    }();
    (void)installed;
    label->setProperty(kRoleProperty, static_cast<int>(role));
    // An interface made before (a screen reader may have asked) gives way to ours.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made != nullptr && made->role() != role) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void MakeAnnouncer(QLabel* label) {
    SetLabelRole(label, QAccessible::Notification);
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
}

QLabel* MakeUnseenAnnouncer(QWidget* window, const QString& objectName) {
    auto* label = new QLabel(window);
    label->setObjectName(objectName);
    MakeAnnouncer(label);
    label->setGeometry(0, 0, 0, 0);
    label->hide();
    return label;
}

void Announce(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->window()->isVisible()) {
        // Hidden and shown again before anything paints: no flicker on the
        // screen, and a reader hears the notification appear.
        label->hide();
        label->show();
    }
}
