#include "privacy/UserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace dayvell {

UserMessages UserMessages::standard(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return UserMessages{
        [owner](const QString& text) {
            QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text,
                            QMessageBox::Ok, owner.data());
            box.exec();
        },
        [] { QApplication::beep(); },
    };
}

}  // namespace dayvell
