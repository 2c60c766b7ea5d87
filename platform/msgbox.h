#pragma once

#include <QString>

class QWidget;

// Modal message boxes with an OK button.
namespace MsgBox {

enum Style { Critical = 16, Question = 32, Exclamation = 48, Information = 64 };

void show(QWidget *parent, const QString &prompt, int style, const QString &title);

} // namespace MsgBox
