#pragma once

#include <QString>

class QWidget;

// Message boxes with an OK button.
namespace MsgBox {

enum Style { Critical = 16, Question = 32, Exclamation = 48, Information = 64 };

void show(QWidget *parent, const QString &prompt, int style, const QString &title);
// A box that waits for nobody: the program goes on while it is up, and it
// goes when the user closes it.
QWidget *notice(QWidget *parent, const QString &prompt, int style, const QString &title);

} // namespace MsgBox
