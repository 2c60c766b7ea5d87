#include "msgbox.h"

#include <QMessageBox>
#include <QWidget>

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MsgBox::Critical:
        return QMessageBox::Critical;
    case MsgBox::Question:
        return QMessageBox::Question;
    case MsgBox::Exclamation:
        return QMessageBox::Warning;
    case MsgBox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void MsgBox::show(QWidget *parent, const QString &prompt, int style, const QString &title)
{
    QMessageBox box(iconOf(style), title, prompt, QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse); // paths and commands to copy
    box.exec();
    // Not every window manager gives the focus back when a box closes; the
    // window had it, and keeps the widget that had it inside.
    if (parent && parent->isVisible())
        parent->activateWindow();
}

QWidget *MsgBox::notice(QWidget *parent, const QString &prompt, int style, const QString &title)
{
    auto *box = new QMessageBox(iconOf(style), title, prompt, QMessageBox::Ok, parent);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setObjectName(QStringLiteral("Hinweis"));
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}
