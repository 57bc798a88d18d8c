#include "accessibility/announcer.h"

#include <QLabel>

#include "accessibility/accessiblerole.h"

void MakeAnnouncer(QLabel* label) {
    SetAccessibleRole(label, QAccessible::Notification);
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
