#include "form1.h"

#include "msgbox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , Generator(static_cast<RunView &>(*this))
    , Text1(new QLineEdit(QStringLiteral("ZEICHENFOLGE"), this))
    , Label3(new QLabel(QStringLiteral("0 "), this))
    , Command1(new QPushButton(QStringLiteral("Type, Zizuzod, Type!"), this))
{
    Text1->setObjectName(QStringLiteral("Text1"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Command1->setObjectName(QStringLiteral("Command1"));
}

QString Form1::targetText() const
{
    return Text1->text();
}

void Form1::showCount(const QString &caption)
{
    Label3->setText(caption);
}

quintptr Form1::nativeHandle() const
{
    return quintptr(winId());
}

void Form1::showMessage(const QString &prompt, int style, const QString &title)
{
    MsgBox::show(this, prompt, style, title);
}

void Form1::processPendingEvents()
{
    QCoreApplication::processEvents();
}
